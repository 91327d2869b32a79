#include "SUIResDef.h"

#include <iterator>

String StyleResName(uint8_t Style, const char *Element)
{
    if (Style == 0 || Style >= std::size(SUI_STYLE_PREFIXES))
        return {};
    return QLatin1String(SUI_STYLE_PREFIXES[Style]) + QLatin1Char('_') + QLatin1String(Element);
}
