// Which addresses a movie may load from, by where the movie itself is.
#include "swf/SwfLoadAddress.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(LoadAddress, ALocalMovieLoadsOnlyFilesInItsFolderOrBelow)
{
    const QString movie = QStringLiteral("/lessons/unit1/main.swf");
    EXPECT_EQ(swf::permittedAddress(movie, QStringLiteral("part2.swf")), QStringLiteral("/lessons/unit1/part2.swf"));
    EXPECT_EQ(swf::permittedAddress(movie, QStringLiteral("sub/../pic.png")), QStringLiteral("/lessons/unit1/pic.png"));
    EXPECT_EQ(swf::permittedAddress(QStringLiteral("file:///lessons/unit1/main.swf"), QStringLiteral("a b.txt")),
              QStringLiteral("/lessons/unit1/a b.txt"));
    for (const char *refused : {"../unit2/main.swf", "/etc/passwd", "file:///etc/passwd", "sub/../../x.swf",
                                "http://example.com/a.swf", "data:text/plain,a=1", "ftp://h/a.txt", ""})
        EXPECT_TRUE(swf::permittedAddress(movie, QString::fromLatin1(refused)).isEmpty()) << refused;
}

TEST(LoadAddress, AWebMovieLoadsOnlyFromItsOwnHost)
{
    const QString movie = QStringLiteral("http://lessons.example/u1/main.swf");
    EXPECT_EQ(swf::permittedAddress(movie, QStringLiteral("../u2/a.swf")), QStringLiteral("http://lessons.example/u2/a.swf"));
    EXPECT_EQ(swf::permittedAddress(movie, QStringLiteral("http://LESSONS.example:80/x.txt")),
              QStringLiteral("http://LESSONS.example:80/x.txt"));
    for (const char *refused : {"http://other.example/a.swf", "http://lessons.example:8080/a.swf", "file:///etc/passwd",
                                "data:text/plain,a=1"})
        EXPECT_TRUE(swf::permittedAddress(movie, QString::fromLatin1(refused)).isEmpty()) << refused;
}

TEST(LoadAddress, ALinkInTheMoviesFolderCannotLeadOutOfIt)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("lesson"));
    QFile(dir.filePath(QStringLiteral("secret.txt"))).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("secret.txt")), dir.filePath(QStringLiteral("lesson/link.txt"))));
    EXPECT_TRUE(swf::permittedAddress(dir.filePath(QStringLiteral("lesson/main.swf")), QStringLiteral("link.txt")).isEmpty());
}
