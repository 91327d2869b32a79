// Feeds arbitrary bytes to the test description reader and turns what it
// accepts into test cases, and to the recorded-input reader.
#include "InputScript.h"
#include "TestCase.h"
#include "TomlReader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (auto toml = swfcheck::readToml(bytes))
        swfcheck::testCasesFrom(*toml, QStringLiteral("/nonexistent"), QStringLiteral("fuzz"));
    swfcheck::readInputScript(bytes);
    return 0;
}
