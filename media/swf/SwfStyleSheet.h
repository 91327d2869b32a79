#pragma once
// Style sheets for text fields: the rules of a CSS text, as a StyleSheet
// object takes them. A rule names one or more selectors (separated by
// commas; one with white space inside is left out) and a block of
// "name: value" declarations separated by semicolons. Values keep their
// trailing white space; hyphenated names become the names scripts use
// ("font-size" is fontSize). A block may be left open at the end.
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace swf {

struct CssRule {
    std::vector<QString> selectors;
    std::vector<std::pair<QString, QString>> declarations;
};

// The rules of `text`, or nothing when it is malformed: a selector without
// a block, a declaration without a colon or cut off, a name with white
// space inside.
std::optional<std::vector<CssRule>> parseCss(const QString &text);

}
