#pragma once
// Text in the GBK code page (code page 936), as the lesson tree's stored
// items hold it, converted to and from the framework's strings.
#include "SysUtils.h"

#include <QByteArray>

// Text that is not valid in the code page it is read as, or that the code
// page cannot hold.
class EEncodingError : public Exception {
public:
    using Exception::Exception;
};

// Decodes GBK bytes; raises EEncodingError naming the offset of the first
// invalid or incomplete byte sequence.
String GbkToString(const QByteArray &Bytes);

// Encodes text as GBK; raises EEncodingError naming the first character
// that GBK has no code for.
QByteArray StringToGbk(const String &Text);
