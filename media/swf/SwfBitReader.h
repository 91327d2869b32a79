#pragma once
// Reads the little-endian bytes and packed bit fields of SWF records from a
// bounded buffer. Reading past the end raises SwfError, so a record that lies
// about its size never reads foreign memory.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace swf {

class BitReader {
public:
    BitReader(const uint8_t *data, size_t size) : data(data), size(size) {}
    explicit BitReader(const QByteArray &bytes)
        : BitReader(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())) {}

    uint8_t u8();
    uint16_t u16();
    uint32_t u32();
    int16_t s16() { return int16_t(u16()); }
    double fixed8() { return s16() / 256.0; }
    double fixed16() { return int32_t(u32()) / 65536.0; }
    // IEEE single and half precision numbers.
    float f32();
    float f16();

    // Bit fields are read from the most significant bit of each byte.
    uint32_t ub(int bits);
    int32_t sb(int bits);
    double fb(int bits) { return sb(bits) / 65536.0; }
    void align() { bitCount = 0; }

    // A zero-terminated string, decoded as UTF-8 (Latin-1 for movies before
    // version 6, which stored text in the author's code page).
    QString string(int version = 6);
    QByteArray bytes(size_t count);
    void skip(size_t count);

    size_t position() const { return pos; }
    size_t remaining() const { return size - pos; }
    const uint8_t *current() const { return data + pos; }
    bool atEnd() const { return pos >= size; }

private:
    void need(size_t count) const;

    const uint8_t *data;
    size_t size;
    size_t pos = 0;
    uint8_t bitBuffer = 0;
    int bitCount = 0;
};

}
