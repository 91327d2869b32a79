#pragma once
// The skin's styles and their theme table: for each built-in style one row
// of 91 numbered entries (integers, colours, bitmap resource names and
// booleans), read through the accessors below with a style and an index.
#include "Graphics.h"

#include <cstdint>

enum TsuiUIStyle : uint8_t { Custom, MacOS, WinXP, DeepBlue, Protein, BlueGlass };

// How entry N of a row is read; the same for every style.
enum TsuiThemeEntryKind : uint8_t { tekInteger = 0, tekColor = 1, tekResName = 2, tekBoolean = 3 };

constexpr int SUI_THEME_ENTRY_COUNT = 91;

// One entry of a style's row: a number (integer, colour or boolean) or the
// name of a bitmap resource.
struct TsuiThemeEntry {
    int32_t Value = -1;
    String ResName;
};

// Only the low 7 bits of a style are looked at. For a style 1 to 5 and an
// index 1 to 91 returns that entry and sets Kind to the index's kind; for
// anything else returns -1 and sets Kind to tekInteger.
TsuiThemeEntry GetThemeEntry(uint8_t Style, int Index, TsuiThemeEntryKind &Kind);

// Each returns the entry when its kind matches, otherwise a fallback:
// colour 0 (black), integer -1, boolean false, resource name empty.
TColor GetThemeColor(uint8_t Style, int Index);
int GetThemeInteger(uint8_t Style, int Index);
bool GetThemeBoolean(uint8_t Style, int Index);
String GetThemeString(uint8_t Style, int Index);

// ---------------------------------------------------------------------------
// Style propagation (SUIThemesPropagation.cpp). Only direct children
// (Controls) are looked at, by class; a subclass matches its ancestors' rows.

class TComponent;
class TWinControl;

// The UIStyle of the first direct child of Container that is a TsuiForm;
// DeepBlue when there is none (or Container holds no controls).
TsuiUIStyle GetContainerUIStyle(TComponent *Container);
// The Color of that TsuiForm; clBtnFace when there is none.
TColor GetContainerFormColor(TComponent *Container);
// Theme colour 8 of that TsuiForm's style; black when there is none.
TColor GetContainerBorderColor(TComponent *Container);
// Hands Style to each skinned direct child of Container by its class.
void ApplyStyleToChildren(TWinControl *Container, TsuiUIStyle Style);
// Makes each skinned sub-container among Form's direct children hand Style
// to its own children.
void ApplyStyleToSubContainers(TWinControl *Form, TsuiUIStyle Style);
