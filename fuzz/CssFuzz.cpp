// Feeds arbitrary text to the style sheet parser.
#include "swf/SwfStyleSheet.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    swf::parseCss(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
