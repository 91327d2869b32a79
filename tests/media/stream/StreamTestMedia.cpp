#include "StreamTestMedia.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace StreamTestMedia {
namespace {
QTemporaryDir &Dir()
{
    static QTemporaryDir dir;
    return dir;
}

const QStringList kTone = {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=1.5"};
const QStringList kPicture = {"-f", "lavfi", "-i", "testsrc=size=176x144:rate=15:duration=1.5"};

QString Made(const QString &name, const QStringList &args)
{
    QString path = Dir().filePath(name);
    if (!QFile::exists(path)) {
        EXPECT_TRUE(Make(name, args)) << "ffmpeg could not make " << name.toStdString();
    }
    return path;
}
}

QString Path(const QString &name)
{
    return Dir().filePath(name);
}

bool Make(const QString &name, const QStringList &args)
{
    QProcess ffmpeg;
    QStringList all = {"-hide_banner", "-loglevel", "error", "-y"};
    all << args << Dir().filePath(name);
    ffmpeg.start(QStringLiteral("ffmpeg"), all);
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitStatus() == QProcess::NormalExit
        && ffmpeg.exitCode() == 0 && QFile::exists(Dir().filePath(name));
}

QString RealAudio144()
{
    return Made("tone144.rm", QStringList{"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=8000:duration=1.5"}
                                  << QStringList{"-ac", "1", "-c:a", "real_144"});
}

QString RealVideo10Ac3()
{
    return Made("clip10.rm", kPicture + kTone + QStringList{"-c:v", "rv10", "-c:a", "ac3", "-b:a", "64k"});
}

QString RealVideo20()
{
    return Made("clip20.rm", kPicture + QStringList{"-c:v", "rv20"});
}

QString Mp3()
{
    return Made("tone.mp3", kTone + QStringList{"-c:a", "libmp3lame", "-b:a", "32k"});
}

QString Ac3Long()
{
    return Made("tone-ac3.rm", QStringList{"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=2"}
                                   << QStringList{"-c:a", "ac3", "-b:a", "192k"});
}

QString TwoRateAc3()
{
    return Made("tworate.mkv", kTone + QStringList{"-map", "0:a", "-map", "0:a", "-c:a", "ac3", "-b:a:0", "64k", "-b:a:1", "192k"});
}

QString Mpeg4Video()
{
    return Made("clip.mp4", kPicture + kTone + QStringList{"-c:v", "mpeg4", "-c:a", "aac"});
}

QString LongMp3()
{
    return Made("long.mp3", QStringList{"-f", "lavfi", "-i", "sine=frequency=330:sample_rate=44100:duration=30"}
                                << QStringList{"-c:a", "libmp3lame", "-b:a", "320k"});
}
}
