#include "WavFile.h"

#include <QFile>
#include <QtEndian>

namespace swfmake {

namespace {

std::optional<Pcm> fail(QString *why, const QString &text)
{
    if (why)
        *why = text;
    return std::nullopt;
}

}

std::optional<Pcm> readWav(const QString &path, QString *why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(why, "cannot open " + path);
    QByteArray bytes = file.readAll();
    const auto *d = reinterpret_cast<const uchar *>(bytes.constData());
    if (bytes.size() < 12 || bytes.left(4) != "RIFF" || bytes.mid(8, 4) != "WAVE")
        return fail(why, path + " is not a WAV file");
    Pcm pcm;
    bool haveFormat = false;
    // Chunks: an id, a 32-bit length, the body padded to an even length.
    for (qsizetype pos = 12; pos + 8 <= bytes.size();) {
        QByteArray id = bytes.mid(pos, 4);
        qsizetype length = qFromLittleEndian<quint32>(d + pos + 4);
        qsizetype body = pos + 8;
        length = std::min(length, bytes.size() - body);
        if (id == "fmt " && length >= 16) {
            int codec = qFromLittleEndian<quint16>(d + body);
            pcm.channels = qFromLittleEndian<quint16>(d + body + 2);
            pcm.rate = int(qFromLittleEndian<quint32>(d + body + 4));
            int bits = qFromLittleEndian<quint16>(d + body + 14);
            if (codec != 1 || bits != 16 || pcm.channels < 1 || pcm.channels > 2)
                return fail(why, path + " is not 16-bit PCM in one or two channels");
            if (pcm.rate != 5512 && pcm.rate != 11025 && pcm.rate != 22050 && pcm.rate != 44100)
                return fail(why, QString("%1: %2 Hz cannot be stored in a movie").arg(path).arg(pcm.rate));
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            pcm.samples.resize(size_t(length / 2));
            for (size_t i = 0; i < pcm.samples.size(); ++i)
                pcm.samples[i] = qFromLittleEndian<qint16>(d + body + qsizetype(i) * 2);
            pcm.samples.resize(pcm.samples.size() / size_t(pcm.channels) * size_t(pcm.channels));
            return pcm;
        }
        pos = body + length + (length & 1);
    }
    return fail(why, path + " has no sound data");
}

}
