#include "Inventory.h"

#include "ClassPictures.h"
#include "ControlPictures.h"
#include "FixedPictures.h"
#include "SUIResDef.h"
#include "SUIThemes.h"
#include "TitlePictures.h"

namespace {

struct Sized {
    QSize size;
    int depth;
};

// The sizes and depths of one style's pictures.
struct Kit {
    Sized button;
    Sized check, checkDisabled, radio;
    QSize progress, progressV;
    Sized titleLeft, titleClient, titleRight;
    Sized titleButton;
    int maxNormalDepth;
    Sized tabActive, tabInactive, tabLine;
    Sized trackBar;
    QSize slider, sliderV;
    Sized scrollButton, scrollTrack;
};

Kit KitOf(int style)
{
    switch (style) {
    case MacOS:
        return {{{84, 23}, 8}, {{15, 17}, 8}, {{15, 17}, 8}, {{16, 17}, 8}, {13, 10}, {13, 13}, {{48, 23}, 8},
            {{49, 23}, 8}, {{48, 23}, 8}, {{17, 17}, 8}, 8, {{18, 27}, 8}, {{18, 27}, 8}, {{17, 7}, 8}, {{45, 5}, 8},
            {11, 20}, {19, 11}, {{16, 22}, 8}, {{16, 33}, 8}};
    case WinXP:
        return {{{18, 21}, 8}, {{13, 13}, 24}, {{13, 13}, 8}, {{13, 13}, 24}, {6, 10}, {10, 6}, {{35, 29}, 8},
            {{37, 29}, 8}, {{35, 29}, 8}, {{21, 21}, 8}, 8, {{9, 18}, 8}, {{9, 18}, 8}, {{8, 1}, 4}, {{45, 8}, 8},
            {11, 21}, {22, 11}, {{16, 17}, 8}, {{16, 21}, 8}};
    case DeepBlue:
        return {{{74, 21}, 4}, {{13, 13}, 4}, {{13, 13}, 4}, {{13, 13}, 4}, {1, 10}, {10, 1}, {{97, 32}, 8},
            {{98, 32}, 4}, {{97, 32}, 8}, {{19, 19}, 4}, 8, {{6, 17}, 4}, {{6, 17}, 4}, {{5, 5}, 4}, {{45, 4}, 8},
            {11, 20}, {18, 11}, {{16, 16}, 4}, {{16, 21}, 4}};
    case Protein:
        return {{{74, 21}, 8}, {{13, 13}, 4}, {{13, 13}, 4}, {{13, 13}, 4}, {1, 10}, {10, 1}, {{441, 23}, 8},
            {{1, 23}, 4}, {{1, 23}, 8}, {{19, 19}, 4}, 8, {{9, 17}, 4}, {{9, 17}, 4}, {{10, 5}, 4}, {{45, 4}, 4},
            {11, 20}, {18, 11}, {{16, 16}, 8}, {{16, 21}, 4}};
    default: // BlueGlass
        return {{{77, 27}, 8}, {{13, 13}, 4}, {{13, 13}, 4}, {{13, 13}, 8}, {1, 10}, {10, 1}, {{162, 33}, 8},
            {{179, 33}, 8}, {{101, 33}, 8}, {{19, 19}, 4}, 8, {{9, 17}, 8}, {{9, 17}, 4}, {{10, 5}, 4}, {{45, 4}, 8},
            {11, 20}, {18, 11}, {{17, 16}, 8}, {{16, 21}, 8}};
    }
}

const char *StateName(MouseState state)
{
    switch (state) {
    case MouseState::MouseOn: return "MOUSEON";
    case MouseState::MouseDown: return "MOUSEDOWN";
    case MouseState::Disabled: return "DISABLE";
    default: return "NORMAL";
    }
}

constexpr MouseState PressStates[] = {MouseState::Normal, MouseState::MouseOn, MouseState::MouseDown};

void AddStyle(int style, std::vector<SkinPicture> &out)
{
    const Kit kit = KitOf(style);
    auto add = [&](const QString &element, int depth, const QImage &image) {
        out.push_back({StyleResName(style, element.toLatin1().constData()), depth, image, style});
    };

    for (MouseState state : PressStates)
        add(QStringLiteral("BUTTON_%1").arg(StateName(state)), kit.button.depth,
            ButtonFace(style, kit.button.size, state));

    // Check boxes and radio buttons: WinXP has a picture per mouse state,
    // the others one normal picture per value, and all a disabled one.
    for (bool radio : {false, true}) {
        const char *family = radio ? "RADIOBUTTON" : "CHECKBOX";
        const Sized normal = radio ? kit.radio : kit.check;
        const Sized disabled = radio ? kit.radio : kit.checkDisabled;
        for (bool checked : {true, false}) {
            const char *value = checked ? "CHECK" : "UNCHECK";
            auto paint = [&](QSize size, MouseState state) {
                return radio ? RadioPicture(style, size, checked, state) : CheckBoxPicture(style, size, checked, state);
            };
            add(QStringLiteral("%1_DISABLE_%2").arg(family, value), disabled.depth, paint(disabled.size, MouseState::Disabled));
            if (style == WinXP)
                for (MouseState state : PressStates)
                    add(QStringLiteral("%1_%2_%3").arg(family, StateName(state), value), normal.depth, paint(normal.size, state));
            else
                add(QStringLiteral("%1_%2").arg(family, value), normal.depth, paint(normal.size, MouseState::Normal));
        }
    }

    add(QStringLiteral("PROGRESSBAR"), 8, ProgressPicture(style, kit.progress, false));
    add(QStringLiteral("PROGRESSBAR_V"), 8, ProgressPicture(style, kit.progressV, true));

    add(QStringLiteral("TITLE_LEFT"), kit.titleLeft.depth, TitleSectionPicture(style, TitleSection::Left, kit.titleLeft.size));
    add(QStringLiteral("TITLE_CLIENT"), kit.titleClient.depth,
        TitleSectionPicture(style, TitleSection::Client, kit.titleClient.size));
    add(QStringLiteral("TITLE_RIGHT"), kit.titleRight.depth,
        TitleSectionPicture(style, TitleSection::Right, kit.titleRight.size));

    const std::pair<TitleButtonKind, const char *> buttons[] = {{TitleButtonKind::Close, "CLOSE"},
        {TitleButtonKind::Maximise, "MAX"}, {TitleButtonKind::Minimise, "MIN"}, {TitleButtonKind::Help, "HELP"},
        {TitleButtonKind::ControlBox, "CTLBOX"}, {TitleButtonKind::Restore, "RST"}};
    const int barHeight = kit.titleLeft.size.height();
    for (const auto &[kind, element] : buttons) {
        if (kind == TitleButtonKind::Restore && style != WinXP)
            continue;
        for (MouseState state : PressStates) {
            const bool maxNormal = kind == TitleButtonKind::Maximise && state == MouseState::Normal;
            add(QStringLiteral("TITLEBTN_%1_%2").arg(element, StateName(state)),
                maxNormal ? kit.maxNormalDepth : kit.titleButton.depth,
                TitleButtonPicture(style, kind, state, kit.titleButton.size, barHeight));
        }
    }

    add(QStringLiteral("TAB_ACTIVE"), kit.tabActive.depth, TabPicture(style, kit.tabActive.size, true));
    add(QStringLiteral("TAB_INACTIVE"), kit.tabInactive.depth, TabPicture(style, kit.tabInactive.size, false));
    add(QStringLiteral("TAB_LINE"), kit.tabLine.depth, TabLinePicture(style, kit.tabLine.size));

    const QImage bar = TrackBarPicture(style, kit.trackBar.size);
    add(QStringLiteral("TRACKBAR_BAR"), kit.trackBar.depth, bar);
    add(QStringLiteral("TRACKBAR_SLIDER"), 8, SliderPicture(style, kit.slider, false, bar));
    add(QStringLiteral("TRACKBAR_SLIDER_V"), 8, SliderPicture(style, kit.sliderV, true, bar));

    for (bool up : {true, false})
        for (MouseState state : PressStates)
            add(QStringLiteral("SCROLLBAR_%1_%2").arg(up ? "TOPBUTTON" : "BTMBUTTON", StateName(state)),
                kit.scrollButton.depth, ScrollButtonPicture(style, kit.scrollButton.size, up, state));
    add(QStringLiteral("SCROLLBAR_TRACK"), kit.scrollTrack.depth, ScrollThumbPicture(style, kit.scrollTrack.size));
}

} // namespace

std::vector<SkinPicture> SkinPictures()
{
    std::vector<SkinPicture> out;
    for (int style = MacOS; style <= BlueGlass; ++style)
        AddStyle(style, out);
    auto fixed = [&](const char *name, int depth, const QImage &image) {
        out.push_back({QLatin1String(name), depth, image, Custom});
    };
    fixed(RES_MENU_CHECKED, 4, MenuCheckedPicture());
    fixed(RES_MACOS_MENU_BAR, 4, MacMenuBarPicture());
    fixed(RES_MACOS_MENU_SELECT, 8, MacMenuSelectPicture());
    fixed(RES_MACOS_FORM_BACKGROUND, 4, MacFormBackground());
    fixed(RES_PROTEIN_FORM_BACKGROUND, 4, ProteinFormBackground());
    fixed(RES_MACOS_COMBOBOX_BUTTON, 24, MacComboButtonPicture());
    fixed(RES_SIDECHANNEL_BAR_NORMAL, 24, SideChannelBarPicture(false));
    fixed(RES_SIDECHANNEL_BAR_MOUSEON, 24, SideChannelBarPicture(true));
    fixed(RES_SIDECHANNEL_BTN_ONTOP, 1, SideChannelPinPicture(true));
    fixed(RES_SIDECHANNEL_BTN_NOONTOP, 1, SideChannelPinPicture(false));
    fixed(RES_FONTCOMBO_TRUETYPE_FNT, 4, FontGlyphPicture(true));
    fixed(RES_FONTCOMBO_DEVICE_FNT, 4, FontGlyphPicture(false));
    for (const char *name : SUI_CLASS_PICTURES)
        fixed(name, 8, ClassPicture(QLatin1String(name)));
    return out;
}
