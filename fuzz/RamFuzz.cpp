// Reads arbitrary text as a ".ram" list and checks what comes out is a list
// of addresses: no blank or comment lines, none with surrounding space, and
// every one of them can be asked whether it names a list again.
#include "stream/RamFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList addresses = ParseRamFile(text);
    if (addresses.size() > text.count('\n') + 1)
        __builtin_trap();
    for (const QString &address : addresses) {
        if (address.isEmpty() || address.startsWith(QLatin1Char('#')) || address != address.trimmed())
            __builtin_trap();
        IsRamAddress(address);
    }
    return 0;
}
