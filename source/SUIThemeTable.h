#pragma once
// The built-in theme table behind the SUIThemes accessors: the kind of each
// index and the rows of the five styles, indexed from 1 as the entries are
// numbered.
#include "SUIThemes.h"

struct TsuiThemeTable {
    TsuiThemeEntryKind Kinds[SUI_THEME_ENTRY_COUNT + 1];
    TsuiThemeEntry Rows[BlueGlass + 1][SUI_THEME_ENTRY_COUNT + 1];
};

// The process-wide table, built on first use and never changed.
const TsuiThemeTable &ThemeTable();
