#include "Shell.h"

#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
struct Recorder {
    std::vector<QUrl> Opened;
    bool Result = true;
    TUrlOpener Previous;
    Recorder()
    {
        Previous = SetUrlOpener([this](const QUrl &Url, const TShellExecuteCall &) {
            Opened.push_back(Url);
            return Result;
        });
    }
    ~Recorder() { SetUrlOpener(Previous); }
};
}

TEST(Shell, OpensWebAndMailAddressesWithTheDesktop)
{
    Recorder r;
    EXPECT_EQ(ShellExecute(nullptr, "open", "http://wordlark.example/", "", "", SW_SHOWNORMAL), SE_SUCCESS);
    EXPECT_EQ(ShellExecute(nullptr, "open", "mailto:author@wordlark.example?subject=Hello", "", "", SW_SHOWNORMAL), SE_SUCCESS);
    ASSERT_EQ(r.Opened.size(), 2u);
    EXPECT_EQ(r.Opened[0], QUrl("http://wordlark.example/"));
    EXPECT_EQ(r.Opened[1].scheme(), "mailto");
    EXPECT_EQ(r.Opened[1].path(), "author@wordlark.example");
}

TEST(Shell, NeverTurnsAnAddressIntoACommand)
{
    Recorder r;
    // Shell syntax is just an unusable address: nothing opens, nothing runs.
    EXPECT_EQ(ShellExecute(nullptr, "open", "; touch /tmp/wordlark-pwned", "", "", SW_SHOW), SE_ERR_FNF);
    EXPECT_EQ(ShellExecute(nullptr, "open", "", "", "", SW_SHOW), SE_ERR_FNF);
    EXPECT_EQ(ShellExecute(nullptr, "print", "http://wordlark.example/", "", "", SW_SHOW), SE_ERR_NOASSOC);
    EXPECT_TRUE(r.Opened.empty());
    // Parameters never reach the address.
    EXPECT_EQ(ShellExecute(nullptr, "", "https://wordlark.example/a", "--evil", "", SW_SHOW), SE_SUCCESS);
    ASSERT_EQ(r.Opened.size(), 1u);
    EXPECT_EQ(r.Opened[0].toString(), "https://wordlark.example/a");
}

TEST(Shell, LocalFilesAndFailures)
{
    Recorder r;
    QTemporaryDir dir;
    QFile file(dir.filePath("lesson.swf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(ShellExecute(nullptr, "open", "lesson.swf", "", dir.path(), SW_SHOW), SE_SUCCESS);
    ASSERT_EQ(r.Opened.size(), 1u);
    EXPECT_EQ(r.Opened[0], QUrl::fromLocalFile(dir.filePath("lesson.swf")));
    EXPECT_EQ(ShellExecute(nullptr, "open", "missing.swf", "", dir.path(), SW_SHOW), SE_ERR_FNF);
    r.Result = false;
    EXPECT_EQ(ShellExecute(nullptr, "open", "http://wordlark.example/", "", "", SW_SHOW), SE_ERR_NOASSOC);
}
