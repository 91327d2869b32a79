// The content folder's path checks: files inside are found, and nothing
// outside is ever reached, however the path is spelt.
#include "ContentRoot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Write(const QString &Path, const QByteArray &Bytes)
{
    QDir().mkpath(QFileInfo(Path).path());
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Bytes);
}

class ContentRootTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(outside.isValid());
        Root = outside.path() + "/root";
        Write(Root + "/a.swf", "movie");
        Write(Root + "/software2/wyh/故事/1.swf", "story");
        Write(outside.path() + "/secret.txt", "secret");
        QFile::link(outside.path() + "/secret.txt", Root + "/out.txt");
        QFile::link(outside.path(), Root + "/up");
        QFile::link(Root + "/a.swf", Root + "/alias.swf");
    }
    QTemporaryDir outside;
    QString Root;
};

TEST_F(ContentRootTest, FindsFilesInsideTheFolder)
{
    const ContentRoot root(Root);
    ASSERT_TRUE(root.Valid());
    for (const char *path : {"/a.swf", "//a.swf", "/software2/wyh/故事/1.swf", "/alias.swf"}) {
        const ContentRoot::Lookup found = root.Resolve(QString::fromUtf8(path));
        EXPECT_EQ(found.Result, ContentRoot::Outcome::Found) << path;
        EXPECT_TRUE(found.File.startsWith(root.Folder() + "/")) << path;
    }
    EXPECT_EQ(root.Resolve("/alias.swf").File, root.Resolve("/a.swf").File);
}

TEST_F(ContentRootTest, MissingFilesAndFoldersAreNotFound)
{
    const ContentRoot root(Root);
    for (const char *path : {"/b.swf", "/software2", "/software2/wyh/", "/"})
        EXPECT_EQ(root.Resolve(QString::fromUtf8(path)).Result, ContentRoot::Outcome::NotFound) << path;
}

TEST_F(ContentRootTest, PathsThatLeaveTheFolderAreRefused)
{
    const ContentRoot root(Root);
    const QString nul = QStringLiteral("/a.swf") + QChar(0) + QStringLiteral(".txt");
    for (const QString &path : {QStringLiteral("/../secret.txt"), QStringLiteral("/software2/../../secret.txt"),
                                QStringLiteral("/./a.swf"), QStringLiteral("/software2/.."), QStringLiteral("..\\secret.txt"),
                                QStringLiteral("/..\\secret.txt"), QStringLiteral("a.swf"), QStringLiteral("/out.txt"),
                                QStringLiteral("/up/secret.txt"), QStringLiteral("/up"), nul})
        EXPECT_EQ(root.Resolve(path).Result, ContentRoot::Outcome::Refused) << path.toStdString();
}

TEST_F(ContentRootTest, AFolderThatDoesNotExistServesNothing)
{
    const ContentRoot root(outside.path() + "/nowhere");
    EXPECT_FALSE(root.Valid());
    EXPECT_EQ(root.Resolve("/a.swf").Result, ContentRoot::Outcome::Refused);
}

} // namespace
