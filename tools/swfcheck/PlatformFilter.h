#pragma once
// Decides whether a subtest applies to this machine from its filter, e.g.
// `os = "macos"`, `not(os = "macos")`, `all(os = "linux", arch = "x86_64")`
// or `any(...)`. Keys this machine has no value for never match.
#include <QString>
#include <optional>

namespace swfcheck {

// True when `filter` holds here; nothing when it cannot be read.
std::optional<bool> platformMatches(const QString &filter);

}
