#pragma once
// The real main window, made from its description and shown offscreen. The
// start-up notice and the dialogs are answered through the dialog seam and
// the shell is caught through the URL seam; every request is kept.
#include "Dialogs.h"
#include "Shell.h"
#include "Unit1.h"
#include "Unit3.h"

#include <QImage>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Makes Form1 as start-up does (the notice answered with NoticeAnswer)
    // and shows it, with the programme window made hidden.
    void CreateMainWindow();
    // The window as it is on the screen.
    QImage Grab() const;
    // The tree node reached by captions from the top level.
    TTreeNode *Node(std::initializer_list<const char *> Path) const;
    // A mouse click on the node's caption, its branch opened first.
    void ClickNode(TTreeNode *Node);

    int NoticeAnswer = IDNO;
    // Answers the open dialog: IDOK with OpenFileName, or IDCANCEL.
    int OpenAnswer = IDCANCEL;
    String OpenFileName;
    std::vector<TDialogRequest> Requests;
    std::vector<QUrl> Opened;
    TForm1 *Form = nullptr;

private:
    TDialogHandler FOldDialogs;
    TUrlOpener FOldOpener;
};
