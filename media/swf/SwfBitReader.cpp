#include "SwfBitReader.h"

#include "SwfError.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace swf {

void BitReader::need(size_t count) const
{
    if (count > size - pos)
        throw SwfError("record runs past the end of its tag");
}

uint8_t BitReader::u8()
{
    align();
    need(1);
    return data[pos++];
}

uint16_t BitReader::u16()
{
    align();
    need(2);
    uint16_t v = uint16_t(data[pos] | data[pos + 1] << 8);
    pos += 2;
    return v;
}

uint32_t BitReader::u32()
{
    align();
    need(4);
    uint32_t v = uint32_t(data[pos]) | uint32_t(data[pos + 1]) << 8 | uint32_t(data[pos + 2]) << 16
        | uint32_t(data[pos + 3]) << 24;
    pos += 4;
    return v;
}

float BitReader::f32()
{
    uint32_t bits = u32();
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

float BitReader::f16()
{
    uint16_t bits = u16();
    int exponent = (bits >> 10) & 0x1F, fraction = bits & 0x3FF;
    float v = exponent == 0 ? std::ldexp(float(fraction), -24)
        : exponent == 31    ? (fraction ? std::numeric_limits<float>::quiet_NaN() : std::numeric_limits<float>::infinity())
                            : std::ldexp(float(fraction + 1024), exponent - 25);
    return bits & 0x8000 ? -v : v;
}

uint32_t BitReader::ub(int bits)
{
    uint32_t v = 0;
    for (int i = 0; i < bits; ++i) {
        if (bitCount == 0) {
            need(1);
            bitBuffer = data[pos++];
            bitCount = 8;
        }
        --bitCount;
        v = v << 1 | ((bitBuffer >> bitCount) & 1);
    }
    return v;
}

int32_t BitReader::sb(int bits)
{
    if (bits == 0)
        return 0;
    uint32_t v = ub(bits);
    if (bits < 32 && (v & (1u << (bits - 1))))
        v |= ~0u << bits;
    return int32_t(v);
}

QString BitReader::string(int version)
{
    align();
    size_t end = pos;
    while (end < size && data[end] != 0)
        ++end;
    if (end == size)
        throw SwfError("string runs past the end of its tag");
    const char *text = reinterpret_cast<const char *>(data + pos);
    QString s = version >= 6 ? QString::fromUtf8(text, qsizetype(end - pos))
                             : QString::fromLatin1(text, qsizetype(end - pos));
    pos = end + 1;
    return s;
}

QByteArray BitReader::bytes(size_t count)
{
    align();
    need(count);
    QByteArray b(reinterpret_cast<const char *>(data + pos), qsizetype(count));
    pos += count;
    return b;
}

void BitReader::skip(size_t count)
{
    align();
    need(count);
    pos += count;
}

}
