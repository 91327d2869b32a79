// `make run` on a machine without a display, as a new user meets it: the
// content server comes up, the guided tour drives the real program through
// a lesson, the five looks and a programme, saves its screenshots, and
// everything ends by itself with nothing left running.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Processes whose command line mentions Text.
QStringList ProcessesMentioning(const QString &Text)
{
    QStringList found;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (pid.toInt() > 0 && cmdline.open(QIODevice::ReadOnly)) {
            const QByteArray line = cmdline.readAll().replace('\0', ' ');
            if (line.contains(Text.toUtf8()))
                found << pid + ": " + QString::fromUtf8(line);
        }
    }
    return found;
}

TEST(RunWithoutDisplay, TheTourShowsTheProgramAndEndsByItself)
{
    QTemporaryDir shots;
    ASSERT_TRUE(shots.isValid());
    const QString build = QStringLiteral(WORDLARK_BUILD_DIR);
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("WORDLARK_TOUR_SHOTS"), shots.path());
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("bash"), {QStringLiteral(WORDLARK_SOURCE_DIR "/scripts/run"), build});
    ASSERT_TRUE(run.waitForFinished(100000)) << "the tour did not end by itself";
    const QString output = QString::fromUtf8(run.readAll());
    EXPECT_EQ(run.exitCode(), 0) << output.toStdString();

    // One line per step, telling what was seen.
    for (const char *seen : {"启动：出现提示框", "回答「是」：主窗口出现", "打开「看动画学英语」→「（1）」：程序启动后",
                             "录音听到朗读", "点动画里的「下一页」：跳到第", "菜单换外观：MacOS", "菜单换外观：WinXP",
                             "点「洪恩GOGO」：主窗口隐藏", "状态「正在播放」，位置从", "关闭节目窗口", "导览结束"})
        EXPECT_TRUE(output.contains(QString::fromUtf8(seen))) << seen << "\n" << output.toStdString();

    // A screenshot per step; the lesson's shows the sky of the demo stage.
    const QStringList pictures = QDir(shots.path()).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    EXPECT_EQ(pictures.size(), 12) << pictures.join(' ').toStdString();
    const QImage lesson(shots.path() + QStringLiteral("/03-lesson.png"));
    ASSERT_FALSE(lesson.isNull());
    bool sky = false;
    for (int y = 0; y < lesson.height() && !sky; y += 4)
        for (int x = 0; x < lesson.width() && !sky; x += 4) {
            const QColor c = lesson.pixelColor(x, y);
            sky = c.blue() > 230 && c.red() < 170 && c.green() > 170;
        }
    EXPECT_TRUE(sky);

    // The server served the lesson over http:// and the programme over rtsp://.
    QFile log(build + QStringLiteral("/content-server.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString requests = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(requests.contains(QStringLiteral("GET /software2/wyh/kdhxyy/20030619/1.swf 200")));
    EXPECT_TRUE(requests.contains(QStringLiteral("PLAY /SOFTWARE2/GOGO_MTV/02.RM 200")));
    const int port = requests.section(QLatin1Char('\n'), 0, 0).section(QLatin1Char(' '), 1).toInt();
    ASSERT_GT(port, 0);

    // Nothing is left: no server answering, no program or server running.
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), quint16(port));
    EXPECT_FALSE(probe.waitForConnected(1000));
    EXPECT_EQ(ProcessesMentioning(build + QStringLiteral("/tools/wordlark-content/")), QStringList());
    EXPECT_EQ(ProcessesMentioning(build + QStringLiteral("/tools/tour/")), QStringList());
    EXPECT_EQ(ProcessesMentioning(shots.path()), QStringList());
}

} // namespace
