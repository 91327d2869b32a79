#pragma once
// Reads the TOML that describes a conformance test: tables, arrays of
// tables, dotted keys, inline tables, arrays, strings (basic, literal and
// multi-line), integers, floats and booleans. Dates are refused. Nesting is
// bounded, so hostile input cannot exhaust the stack.
#include "TomlValue.h"

#include <QByteArray>

namespace swfcheck {

// The document's root table; on a syntax error, nothing and `error` says
// which line is wrong and why.
std::optional<TomlValue> readToml(const QByteArray &text, QString *error = nullptr);

}
