#include "SwfStream.h"

#include <lzma.h>
#include <zlib.h>

namespace swf {

namespace {
constexpr size_t kHeaderBytes = 8;
constexpr size_t kLzmaExtraBytes = 9; // compressed length (4) and LZMA properties (5)
constexpr uint64_t kLzmaMemoryLimit = 64u << 20;
constexpr size_t kChunk = 64 * 1024;
}

struct SwfStream::Decoder {
    z_stream zlib{};
    lzma_stream lzma = LZMA_STREAM_INIT;
    bool zlibOpen = false;
    bool lzmaOpen = false;
    ~Decoder()
    {
        if (zlibOpen)
            inflateEnd(&zlib);
        if (lzmaOpen)
            lzma_end(&lzma);
    }
};

SwfStream::SwfStream() = default;
SwfStream::~SwfStream() = default;

bool SwfStream::complete() const
{
    return haveHeader && size_t(data.size()) + kHeaderBytes >= fileLength;
}

void SwfStream::fail(const QString &why)
{
    if (errorText.isEmpty())
        errorText = why;
    decoder.reset();
    pending.clear();
}

void SwfStream::append(const char *bytes, size_t size)
{
    if (failed() || size == 0)
        return;
    if (haveHeader) {
        decode(bytes, size);
        return;
    }
    pending.append(bytes, qsizetype(size));
    size_t needed = kHeaderBytes + (pending.startsWith('Z') ? kLzmaExtraBytes : 0);
    if (size_t(pending.size()) < needed)
        return;
    QByteArray start = std::move(pending);
    pending.clear();
    readHeader(start);
}

void SwfStream::readHeader(const QByteArray &start)
{
    const auto *b = reinterpret_cast<const uint8_t *>(start.constData());
    signature = char(b[0]);
    if ((signature != 'F' && signature != 'C' && signature != 'Z') || b[1] != 'W' || b[2] != 'S')
        return fail(QStringLiteral("Not a Flash movie"));
    swfVersion = b[3];
    fileLength = uint32_t(b[4]) | uint32_t(b[5]) << 8 | uint32_t(b[6]) << 16 | uint32_t(b[7]) << 24;
    if (fileLength < kHeaderBytes + 5)
        return fail(QStringLiteral("The movie's length is too short"));
    if (fileLength - kHeaderBytes > kMaxBodyBytes)
        return fail(QStringLiteral("The movie is too large (%1 bytes)").arg(fileLength));
    haveHeader = true;
    decoder = std::make_unique<Decoder>();
    size_t offset = kHeaderBytes;
    if (signature == 'C') {
        if (inflateInit(&decoder->zlib) != Z_OK)
            return fail(QStringLiteral("Cannot start decompression"));
        decoder->zlibOpen = true;
    } else if (signature == 'Z') {
        if (lzma_alone_decoder(&decoder->lzma, kLzmaMemoryLimit) != LZMA_OK)
            return fail(QStringLiteral("Cannot start decompression"));
        decoder->lzmaOpen = true;
        // The decoder expects the .lzma header: the five property bytes and
        // the uncompressed size as a 64-bit number.
        uint8_t alone[13];
        memcpy(alone, b + kHeaderBytes + 4, 5);
        uint64_t bodySize = fileLength - kHeaderBytes;
        for (int i = 0; i < 8; ++i)
            alone[5 + i] = uint8_t(bodySize >> (8 * i));
        offset += kLzmaExtraBytes;
        decode(reinterpret_cast<const char *>(alone), sizeof alone);
    }
    decode(start.constData() + offset, size_t(start.size()) - offset);
}

void SwfStream::take(const char *bytes, size_t size)
{
    size_t room = fileLength - kHeaderBytes - size_t(data.size());
    data.append(bytes, qsizetype(std::min(size, room)));
}

void SwfStream::decode(const char *bytes, size_t size)
{
    if (failed() || complete() || size == 0)
        return;
    if (signature == 'F')
        return take(bytes, size);
    char out[kChunk];
    if (signature == 'C') {
        z_stream &z = decoder->zlib;
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes));
        z.avail_in = uInt(size);
        while (!complete()) {
            z.next_out = reinterpret_cast<Bytef *>(out);
            z.avail_out = sizeof out;
            int rc = inflate(&z, Z_NO_FLUSH);
            take(out, sizeof out - z.avail_out);
            if (rc == Z_STREAM_END)
                break;
            if (rc != Z_OK && rc != Z_BUF_ERROR)
                return fail(QStringLiteral("The movie's compressed data is corrupt"));
            if (z.avail_in == 0 && z.avail_out != 0)
                break;
        }
        return;
    }
    lzma_stream &l = decoder->lzma;
    l.next_in = reinterpret_cast<const uint8_t *>(bytes);
    l.avail_in = size;
    while (!complete()) {
        l.next_out = reinterpret_cast<uint8_t *>(out);
        l.avail_out = sizeof out;
        lzma_ret rc = lzma_code(&l, LZMA_RUN);
        take(out, sizeof out - l.avail_out);
        if (rc == LZMA_STREAM_END)
            break;
        if (rc == LZMA_MEMLIMIT_ERROR)
            return fail(QStringLiteral("The movie needs too much memory to decompress"));
        if (rc != LZMA_OK && rc != LZMA_BUF_ERROR)
            return fail(QStringLiteral("The movie's compressed data is corrupt"));
        if (l.avail_in == 0 && l.avail_out != 0)
            break;
    }
}

}
