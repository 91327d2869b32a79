#pragma once
// The URL encoding of escape(), unescape() and LoadVars: every byte but
// letters and digits written as %XX, of the text's UTF-8 (Latin-1 before
// SWF 6).
#include <QString>

namespace swf::avm1 {

QString urlEscape(const QString &text, int version);
// `plusIsSpace`: a + stands for a space (form data).
QString urlUnescape(const QString &text, int version, bool plusIsSpace = false);

}
