#include "Speech.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

QString Escaped(const QString &Text)
{
    return Text.toHtmlEscaped();
}

QString Key(const QString &Kind, const QString &Voice, const QString &Text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash((Kind + '\n' + Voice + '\n' + Text).toUtf8(), QCryptographicHash::Sha1).toHex().left(20));
}

} // namespace

bool RunTool(const QString &Program, const QStringList &Arguments, QString &Error)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(Program, Arguments);
    if (!process.waitForStarted(10000)) {
        Error = QStringLiteral("%1 could not be started: is it installed?").arg(Program);
        return false;
    }
    process.waitForFinished(120000);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        Error = QStringLiteral("%1 failed: %2").arg(Program, QString::fromLocal8Bit(process.readAll()).trimmed());
        return false;
    }
    return true;
}

Speech::Speech(const QString &CacheFolder) : FFolder(CacheFolder)
{
    QDir().mkpath(FFolder);
}

QString Speech::Say(const QString &Text, const QString &Voice, QString &Error) const
{
    const QString file = FFolder + '/' + Key(QStringLiteral("say"), Voice, Text) + ".wav";
    if (QFileInfo::exists(file))
        return file;
    const QString part = file + ".part";
    if (!RunTool(QStringLiteral("espeak-ng"), {"-v", Voice, "-s", "135", "-w", part, Text}, Error) ||
        !QFile::rename(part, file)) {
        if (Error.isEmpty())
            Error = QStringLiteral("cannot write %1").arg(file);
        return {};
    }
    return file;
}

QString Speech::Programme(const ::Programme &Programme, QString &Error) const
{
    QString ssml = QStringLiteral("<speak>");
    for (size_t i = 0; i < Programme.Lines.size(); ++i) {
        const QString line = Escaped(Programme.Lines[i]);
        ssml += line + QStringLiteral(" <break time=\"1800ms\"/> ");
        if (i > 0)
            ssml += line + QStringLiteral(" <break time=\"2600ms\"/> ");
    }
    ssml += QStringLiteral("</speak>");
    const QString base = FFolder + '/' + Key(QStringLiteral("programme"), Programme.Voice, ssml);
    const QString mp3 = base + ".mp3";
    if (QFileInfo::exists(mp3))
        return mp3;
    const QString wav = base + ".wav", part = base + ".part.mp3";
    // -bitexact keeps encoder versions and dates out of the file, so the same
    // words always make the same bytes.
    if (!RunTool(QStringLiteral("espeak-ng"), {"-m", "-v", Programme.Voice, "-s", "135", "-w", wav, ssml}, Error) ||
        !RunTool(QStringLiteral("ffmpeg"),
                 {"-nostdin", "-loglevel", "error", "-y", "-i", wav, "-map_metadata", "-1", "-fflags", "+bitexact",
                  "-flags:a", "+bitexact", "-c:a", "libmp3lame", "-b:a", "64k", "-ar", "22050", "-ac", "1", "-f", "mp3", part},
                 Error) ||
        !QFile::rename(part, mp3)) {
        if (Error.isEmpty())
            Error = QStringLiteral("cannot write %1").arg(mp3);
        return {};
    }
    QFile::remove(wav);
    return mp3;
}
