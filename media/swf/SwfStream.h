#pragma once
// The container of a movie: the eight-byte file header followed by the body,
// stored plain (FWS), zlib-compressed (CWS) or LZMA-compressed (ZWS). Bytes
// are fed as they arrive; the body grows as far as they decompress, so the
// frames that are complete can be played before the rest has arrived.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace swf {

class SwfStream {
public:
    // The largest body accepted; a longer declared length is refused before
    // anything is allocated for it.
    static constexpr uint32_t kMaxBodyBytes = 64u << 20;

    SwfStream();
    ~SwfStream();

    void append(const char *data, size_t size);
    void append(const QByteArray &bytes) { append(bytes.constData(), size_t(bytes.size())); }

    bool failed() const { return !errorText.isEmpty(); }
    const QString &error() const { return errorText; }
    bool headerRead() const { return haveHeader; }
    char compression() const { return signature; } // 'F', 'C' or 'Z'
    int version() const { return swfVersion; }
    // The length stated by the header, header included.
    uint32_t declaredLength() const { return fileLength; }
    // The uncompressed bytes after the eight-byte header.
    const QByteArray &body() const { return data; }
    // True once the body has the declared length.
    bool complete() const;

private:
    void fail(const QString &why);
    void readHeader(const QByteArray &start);
    void decode(const char *bytes, size_t size);
    void take(const char *bytes, size_t size);

    QByteArray pending;
    QByteArray data;
    QString errorText;
    bool haveHeader = false;
    char signature = 0;
    int swfVersion = 0;
    uint32_t fileLength = 0;
    struct Decoder;
    std::unique_ptr<Decoder> decoder;
};

}
