#pragma once
// Names of the skin's bitmap resources that the drawing code uses directly,
// and the style prefixes the theme table builds its own names from
// ("WINXP" + "_" + "BUTTON_NORMAL").
#include "SysUtils.h"

#include <cstdint>

// Prefix of each style's resource names, by style number; Custom has none.
inline constexpr const char *SUI_STYLE_PREFIXES[] = {"", "MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS"};

inline constexpr char RES_MENU_CHECKED[] = "MENU_CHECKED";
inline constexpr char RES_MACOS_MENU_BAR[] = "MACOS_MENU_BAR";
inline constexpr char RES_MACOS_MENU_SELECT[] = "MACOS_MENU_SELECT";
inline constexpr char RES_MACOS_FORM_BACKGROUND[] = "MACOS_FORM_BACKGROUND";
inline constexpr char RES_PROTEIN_FORM_BACKGROUND[] = "PROTEIN_FORM_BACKGROUND";
inline constexpr char RES_MACOS_COMBOBOX_BUTTON[] = "MACOS_COMBOBOX_BUTTON";
inline constexpr char RES_SIDECHANNEL_BAR_NORMAL[] = "SIDECHANNEL_BAR_NORMAL";
inline constexpr char RES_SIDECHANNEL_BAR_MOUSEON[] = "SIDECHANNEL_BAR_MOUSEON";
inline constexpr char RES_SIDECHANNEL_BTN_ONTOP[] = "SIDECHANNEL_BTN_ONTOP";
inline constexpr char RES_SIDECHANNEL_BTN_NOONTOP[] = "SIDECHANNEL_BTN_NOONTOP";
inline constexpr char RES_FONTCOMBO_TRUETYPE_FNT[] = "FONTCOMBO_TRUETYPE_FNT";
inline constexpr char RES_FONTCOMBO_DEVICE_FNT[] = "FONTCOMBO_DEVICE_FNT";

// The resource name of a style's picture: its prefix, an underscore and the
// element ("WINXP_BUTTON_NORMAL"). Custom has no pictures: empty.
String StyleResName(uint8_t Style, const char *Element);

// The program's icon (an icon resource, not a bitmap).
inline constexpr char RES_MAINICON[] = "MAINICON";

// The 24 x 24 design-time pictures of the skinned classes, named after the
// class in upper case; nothing loads them at run time.
inline constexpr const char *SUI_CLASS_PICTURES[] = {
    "TSUIFORM", "TSUIMAINMENU", "TSUITITLEBAR", "TSUIBUTTON", "TSUICHECKBOX", "TSUIRADIOBUTTON",
    "TSUIIMAGEBUTTON", "TSUITRACKBAR", "TSUISCROLLBAR", "TSUITREEVIEW", "TSUILISTVIEW", "TSUIIMAGEPANEL",
    "TSUIPROGRESSBAR", "TSUIGROUPBOX", "TSUICHECKGROUP", "TSUILISTBOX", "TSUICHECKLISTBOX", "TSUIMEMO",
    "TSUIEDIT", "TSUICOMBOBOX", "TSUICOLORBOX", "TSUIFONTCOMBOBOX", "TSUIFONTSIZECOMBOBOX",
    "TSUITABCONTROL", "TSUIPAGECONTROL", "TSUITOOLBAR", "TSUISIDECHANNEL", "TSUISTRINGGRID", "TSUIDRAWGRID",
};
