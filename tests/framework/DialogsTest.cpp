#include "Dialogs.h"

#include <gtest/gtest.h>

namespace {

// Answers every dialog with a handler of the test's own, for the test's span.
struct DialogAnswerer {
    std::vector<TDialogRequest> Seen;
    TDialogHandler Previous;
    explicit DialogAnswerer(std::function<int(TDialogRequest &)> Answer)
    {
        Previous = SetDialogHandler([this, Answer](TDialogRequest &R) {
            Seen.push_back(R);
            return Answer(R);
        });
    }
    ~DialogAnswerer() { SetDialogHandler(Previous); }
};

} // namespace

TEST(OpenDialog, ShowsItsSettingsAndTakesTheConfirmedFile)
{
    TOpenDialog dialog(nullptr);
    dialog.SetFilter("Flash播放文件|*.swf");
    dialog.SetTitle("Open a movie");
    dialog.SetInitialDir("/srv/lessons");
    std::vector<String> events;
    dialog.OnShow = [&](TObject *) { events.push_back("show"); };
    dialog.OnClose = [&](TObject *) { events.push_back("close"); };
    DialogAnswerer answer([&](TDialogRequest &R) {
        events.push_back("dialog");
        R.FileName = "/srv/lessons/unit 1.swf";
        return IDOK;
    });
    ASSERT_TRUE(dialog.Execute());
    ASSERT_EQ(answer.Seen.size(), 1u);
    const TDialogRequest &r = answer.Seen[0];
    EXPECT_EQ(r.Kind, dkOpenDialog);
    EXPECT_EQ(r.Caption, QString("Open a movie"));
    EXPECT_EQ(r.Filter, QString("Flash播放文件|*.swf"));
    EXPECT_EQ(r.InitialDir, QString("/srv/lessons"));
    EXPECT_EQ(r.Options, TOpenOptions(ofHideReadOnly | ofEnableSizing));
    EXPECT_EQ(dialog.FileName(), QString("/srv/lessons/unit 1.swf"));
    ASSERT_EQ(dialog.Files()->Count(), 1);
    EXPECT_EQ(dialog.Files()->Strings(0), dialog.FileName());
    EXPECT_EQ(events, (std::vector<String>{"show", "dialog", "close"}));
}

TEST(OpenDialog, CancelOrAnEmptyAnswerKeepsTheOldName)
{
    TOpenDialog dialog(nullptr);
    dialog.SetFileName("old.swf");
    {
        DialogAnswerer cancel([](TDialogRequest &R) {
            R.FileName = "new.swf";
            return IDCANCEL;
        });
        EXPECT_FALSE(dialog.Execute());
        EXPECT_EQ(cancel.Seen.at(0).FileName, QString("old.swf"));
    }
    {
        DialogAnswerer empty([](TDialogRequest &R) {
            R.FileName.clear();
            return IDOK;
        });
        EXPECT_FALSE(dialog.Execute());
    }
    EXPECT_EQ(dialog.FileName(), QString("old.swf"));
}

TEST(OpenDialog, SeveralFilesFilterIndexAndDefaultExtension)
{
    TOpenDialog dialog(nullptr);
    dialog.SetOptions(dialog.Options() | ofAllowMultiSelect);
    dialog.SetDefaultExt("swf");
    DialogAnswerer answer([](TDialogRequest &R) {
        R.Files = QStringList{"/a/one", "/a/two.txt"};
        R.FilterIndex = 2;
        return IDOK;
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), QString("/a/one.swf"));
    ASSERT_EQ(dialog.Files()->Count(), 2);
    EXPECT_EQ(dialog.Files()->Strings(1), QString("/a/two.txt"));
    EXPECT_EQ(dialog.FilterIndex(), 2);
}

TEST(OpenDialog, FilterEntriesPairDescriptionsWithPatterns)
{
    using Entries = std::vector<std::pair<String, String>>;
    EXPECT_EQ(FilterEntries("Flash播放文件|*.swf"), (Entries{{"Flash播放文件", "*.swf"}}));
    EXPECT_EQ(FilterEntries("Movies|*.swf;*.spl|All|*.*"), (Entries{{"Movies", "*.swf;*.spl"}, {"All", "*.*"}}));
    EXPECT_EQ(FilterEntries("Dangling"), Entries{});
    EXPECT_EQ(FilterEntries("Empty||Text|*.txt|Tail"), (Entries{{"Text", "*.txt"}}));
    EXPECT_EQ(FilterEntries(""), Entries{});
}

TEST(ColorDialog, ShowsAndTakesTheColourAndCustomColours)
{
    TColorDialog dialog(nullptr);
    dialog.SetColor(0x00C82C00);
    dialog.CustomColors()->Add("ColorA=DEEBEF");
    DialogAnswerer answer([](TDialogRequest &R) {
        R.Color = 0x0000FF;
        R.CustomColors.append("ColorB=123456");
        return IDOK;
    });
    ASSERT_TRUE(dialog.Execute());
    const TDialogRequest &r = answer.Seen.at(0);
    EXPECT_EQ(r.Kind, dkColorDialog);
    EXPECT_EQ(r.Color, 0x00C82C00);
    EXPECT_EQ(r.CustomColors, QStringList{"ColorA=DEEBEF"});
    EXPECT_EQ(dialog.Color(), 0x0000FF);
    ASSERT_EQ(dialog.CustomColors()->Count(), 2);
    EXPECT_EQ(dialog.CustomColors()->Strings(1), QString("ColorB=123456"));
}

TEST(ColorDialog, CancelKeepsTheColour)
{
    TColorDialog dialog(nullptr);
    dialog.SetColor(clRed);
    DialogAnswerer answer([](TDialogRequest &R) {
        R.Color = clBlue;
        return IDCANCEL;
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Color(), clRed);
}
