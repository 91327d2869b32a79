#include "SwfMp3File.h"

#include <QHash>

#include <array>
#include <optional>

namespace swf {

namespace {

// The tag at the end of a file.
constexpr qsizetype kId3v1Size = 128;

uint32_t syncSafe(const uint8_t *p)
{
    return uint32_t(p[0] & 0x7F) << 21 | uint32_t(p[1] & 0x7F) << 14 | uint32_t(p[2] & 0x7F) << 7 | (p[3] & 0x7F);
}

uint32_t bigEndian(const uint8_t *p, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | p[i];
    return v;
}

struct FrameHeader {
    int length = 0;
    int sampleRate = 0;
    int samples = 0;
    bool mpeg1 = false;
    bool mono = false;
};

// An MPEG audio layer III frame header at `p`.
std::optional<FrameHeader> frameHeader(const uint8_t *p)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return std::nullopt;
    int version = (p[1] >> 3) & 3; // 0: 2.5, 2: 2, 3: 1
    int layer = (p[1] >> 1) & 3;   // 1: layer III
    int bitrateIndex = p[2] >> 4;
    int rateIndex = (p[2] >> 2) & 3;
    if (version == 1 || layer != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return std::nullopt;
    static constexpr std::array<int, 15> kMpeg1 = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static constexpr std::array<int, 15> kMpeg2 = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static constexpr std::array<int, 3> kRates = {44100, 48000, 32000};
    FrameHeader h;
    h.mpeg1 = version == 3;
    h.sampleRate = kRates[size_t(rateIndex)] >> (version == 3 ? 0 : version == 2 ? 1 : 2);
    int kbps = (h.mpeg1 ? kMpeg1 : kMpeg2)[size_t(bitrateIndex)];
    h.length = (h.mpeg1 ? 144000 : 72000) * kbps / h.sampleRate + ((p[2] >> 1) & 1);
    h.samples = h.mpeg1 ? 1152 : 576;
    h.mono = (p[3] >> 6) == 3;
    return h;
}

// Whether the frame at `p` is the silent header frame some encoders write
// ("Xing" or "Info" after the side information).
bool infoFrame(const uint8_t *p, const FrameHeader &h)
{
    int at = h.mpeg1 ? (h.mono ? 21 : 36) : (h.mono ? 13 : 21);
    if (at + 4 > h.length)
        return false;
    QByteArray mark(reinterpret_cast<const char *>(p + at), 4);
    return mark == "Xing" || mark == "Info";
}

int rateCode(int rate)
{
    return rate >= 32000 ? 3 : rate >= 16000 ? 2 : 1;
}

// Text in one of the four encodings of ID3v2, up to its terminator; `end`
// gets where the terminator ends.
QString decodeText(const QByteArray &data, qsizetype from, int encoding, qsizetype *end = nullptr)
{
    const auto *p = reinterpret_cast<const uint8_t *>(data.constData());
    qsizetype size = data.size();
    if (encoding == 1 || encoding == 2) {
        bool little = false;
        qsizetype i = from;
        if (encoding == 1 && i + 1 < size && ((p[i] == 0xFF && p[i + 1] == 0xFE) || (p[i] == 0xFE && p[i + 1] == 0xFF))) {
            little = p[i] == 0xFF;
            i += 2;
        }
        QString text;
        for (; i + 1 < size; i += 2) {
            char16_t c = little ? char16_t(p[i] | p[i + 1] << 8) : char16_t(p[i] << 8 | p[i + 1]);
            if (c == 0) {
                i += 2;
                break;
            }
            text.append(QChar(c));
        }
        if (end)
            *end = std::min(i, size);
        return text;
    }
    qsizetype stop = data.indexOf('\0', from);
    if (stop < 0)
        stop = size;
    if (end)
        *end = std::min(stop + 1, size);
    QByteArray bytes = data.mid(from, stop - from);
    return encoding == 3 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

// The four-character ids of the three-character frames of version 2.2.
QString longId(const QString &id)
{
    static const QHash<QString, QString> ids = {
        {QStringLiteral("TT2"), QStringLiteral("TIT2")}, {QStringLiteral("TT3"), QStringLiteral("TIT3")},
        {QStringLiteral("TP1"), QStringLiteral("TPE1")}, {QStringLiteral("TP2"), QStringLiteral("TPE2")},
        {QStringLiteral("TAL"), QStringLiteral("TALB")}, {QStringLiteral("TYE"), QStringLiteral("TYER")},
        {QStringLiteral("TCO"), QStringLiteral("TCON")}, {QStringLiteral("TRK"), QStringLiteral("TRCK")},
        {QStringLiteral("TCM"), QStringLiteral("TCOM")}, {QStringLiteral("COM"), QStringLiteral("COMM")},
    };
    return ids.value(id, id);
}

}

void Mp3File::append(const QByteArray &bytes)
{
    if (state == State::Done)
        return;
    pending.append(bytes);
    if (state == State::Header) {
        if (pending.size() < 10 && QByteArray("ID3").startsWith(pending.left(3)))
            return;
        if (pending.startsWith("ID3") && pending.size() >= 10) {
            const auto *p = reinterpret_cast<const uint8_t *>(pending.constData());
            qsizetype total = 10 + qsizetype(syncSafe(p + 6)) + ((p[5] & 0x10) ? 10 : 0);
            if (pending.size() < total)
                return;
            readId3v2(pending.left(total));
            pending.remove(0, total);
        }
        state = State::Frames;
    }
    scanFrames(false);
}

void Mp3File::finish()
{
    if (state == State::Done)
        return;
    if (pending.size() >= kId3v1Size && pending.sliced(pending.size() - kId3v1Size).startsWith("TAG")) {
        readId3v1(pending.sliced(pending.size() - kId3v1Size));
        pending.chop(kId3v1Size);
    }
    if (state == State::Header && pending.startsWith("ID3"))
        pending.clear(); // a tag cut short, and nothing after it
    state = State::Frames;
    scanFrames(true);
    state = State::Done;
    pending.clear();
}

QByteArray Mp3File::takeNewAudio()
{
    QByteArray fresh = frames.mid(handedOut);
    handedOut = frames.size();
    return fresh;
}

int Mp3File::durationMs() const
{
    return sampleRate > 0 ? int(samples * 1000 / sampleRate) : 0;
}

void Mp3File::scanFrames(bool atEnd)
{
    // Until the end is known its last bytes may be the tag there.
    qsizetype limit = atEnd ? pending.size() : pending.size() - kId3v1Size;
    const auto *p = reinterpret_cast<const uint8_t *>(pending.constData());
    qsizetype at = 0;
    while (at + 4 <= limit) {
        std::optional<FrameHeader> h = frameHeader(p + at);
        if (!h || (sampleRate > 0 && h->sampleRate != sampleRate)) {
            ++at;
            continue;
        }
        if (at + h->length > limit) {
            if (!atEnd)
                break; // the rest of it is still to come
            ++at;
            continue;
        }
        bool first = sampleRate == 0;
        if (first) {
            sampleRate = h->sampleRate;
            soundFormat.codec = SoundCodec::Mp3;
            soundFormat.rateCode = rateCode(sampleRate);
            soundFormat.sixteenBit = true;
            soundFormat.stereo = !h->mono;
        }
        if (!(first && infoFrame(p + at, *h))) {
            frames.append(pending.constData() + at, h->length);
            samples += h->samples;
        }
        at += h->length;
    }
    pending.remove(0, at);
}

void Mp3File::readId3v2(const QByteArray &tag)
{
    int version = uint8_t(tag[3]);
    uint8_t flags = uint8_t(tag[5]);
    QByteArray body = tag.mid(10);
    if (flags & 0x80)
        body.replace(QByteArray("\xFF\x00", 2), QByteArray("\xFF", 1));
    const auto *p = reinterpret_cast<const uint8_t *>(body.constData());
    qsizetype size = body.size();
    qsizetype at = 0;
    if ((flags & 0x40) && version >= 3 && size >= 4)
        at = version == 3 ? 4 + qsizetype(bigEndian(p, 4)) : qsizetype(syncSafe(p));
    int idLength = version == 2 ? 3 : 4;
    int headerLength = version == 2 ? 6 : 10;
    while (at >= 0 && at + headerLength <= size && p[at] != 0) {
        QString id = QString::fromLatin1(body.mid(at, idLength));
        qsizetype length = version == 2   ? qsizetype(bigEndian(p + at + 3, 3))
                           : version == 4 ? qsizetype(syncSafe(p + at + 4))
                                          : qsizetype(bigEndian(p + at + 4, 4));
        bool packed = version == 3 ? (p[at + 9] & 0xC0) != 0 : version == 4 && (p[at + 9] & 0x0E) != 0;
        qsizetype start = at + headerLength;
        if (length > size - start)
            break;
        at = start + length;
        if (packed || length < 1)
            continue;
        if (version == 2)
            id = longId(id);
        QByteArray data = body.mid(start, length);
        int encoding = uint8_t(data[0]);
        if (id.startsWith(QLatin1Char('T')) && id != QLatin1String("TXXX")) {
            tagFields.push_back({id, decodeText(data, 1, encoding)});
        } else if (id == QLatin1String("COMM") && data.size() >= 4) {
            qsizetype textAt = 0;
            decodeText(data, 4, encoding, &textAt); // the comment's short description
            tagFields.push_back({id, decodeText(data, textAt, encoding)});
        }
    }
}

void Mp3File::readId3v1(const QByteArray &tag)
{
    if (!tagFields.empty())
        return; // the tag at the start says more
    auto field = [&](int from, int length) {
        return QString::fromLatin1(tag.mid(from, length)).section(QChar(0), 0, 0).trimmed();
    };
    const std::pair<const char *, QString> fields[] = {
        {"TIT2", field(3, 30)}, {"TPE1", field(33, 30)}, {"TALB", field(63, 30)},
        {"TYER", field(93, 4)}, {"COMM", field(97, 30)},
    };
    for (const auto &[id, text] : fields)
        if (!text.isEmpty())
            tagFields.push_back({QLatin1String(id), text});
    // Version 1.1: a track number in the comment's last byte.
    if (tag[125] == 0 && tag[126] != 0)
        tagFields.push_back({QStringLiteral("TRCK"), QString::number(uint8_t(tag[126]))});
}

}
