// The desktop integration as `cmake --install` lays it out: the programs,
// the demo content, the desktop entry and metainfo (which the freedesktop
// validators accept), and the icon at every usual size.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString RunTool(const QString &Program, const QStringList &Arguments, int &Status)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(Program, Arguments);
    process.waitForFinished(60000);
    Status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

TEST(DesktopFiles, TheValidatorsAcceptTheEntryAndTheMetainfo)
{
    int status = 0;
    const QString folder = QStringLiteral(WORDLARK_SOURCE_DIR "/tools/desktop/");
    QString said = RunTool(QStringLiteral("desktop-file-validate"), {folder + "org.example.wordlark.desktop"}, status);
    EXPECT_EQ(status, 0) << said.toStdString();
    EXPECT_TRUE(said.trimmed().isEmpty()) << said.toStdString();
    said = RunTool(QStringLiteral("appstreamcli"), {"validate", "--no-net", folder + "org.example.wordlark.metainfo.xml"}, status);
    EXPECT_EQ(status, 0) << said.toStdString();
}

TEST(DesktopFiles, InstallPutsEveryPartWhereDesktopsLook)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    int status = 0;
    const QString said = RunTool(QStringLiteral("cmake"), {"--install", WORDLARK_BUILD_DIR, "--prefix", prefix.path()}, status);
    ASSERT_EQ(status, 0) << said.toStdString();
    const QString root = prefix.path() + '/';
    for (const char *program : {"bin/wordlark", "bin/wordlark-content", "bin/wordlark-tour", "bin/wordlark-start"})
        EXPECT_TRUE(QFileInfo(root + program).isExecutable()) << program;
    for (const char *file : {"share/applications/org.example.wordlark.desktop",
                             "share/metainfo/org.example.wordlark.metainfo.xml",
                             "share/wordlark/content/software2/wyh/kdhxyy/20030619/1.swf",
                             "share/wordlark/content/animation/choppy1.swf",
                             "share/wordlark/content/SOFTWARE2/GOGO_MTV/02.RM"})
        EXPECT_TRUE(QFileInfo(root + QString::fromUtf8(file)).isFile()) << file;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icon(root + QStringLiteral("share/icons/hicolor/%1x%1/apps/org.example.wordlark.png").arg(size));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
        // Drawn on transparency, with the emblem in the middle.
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
        EXPECT_GT(qAlpha(icon.pixel(size / 2, size / 2)), 0) << size;
    }
}

} // namespace
