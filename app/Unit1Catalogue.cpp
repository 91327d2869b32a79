// A click in the lesson tree: stop the movie and play the lesson the
// selected caption names.
#include "LessonTable.h"
#include "Unit1.h"
#include "Unit3.h"

void TForm1::suiTreeView1Click(TObject *)
{
    suiTreeView1->SetFocus();
    ShockwaveFlash1->StopPlay();
    const TTreeNode *node = suiTreeView1->Selected();
    if (!node)
        return;
    const TLessonTarget target = LookupLesson(node->Text());
    if (target.Kind == TLessonKind::Movie) {
        ShockwaveFlash1->SetMovie(target.Address);
        ShockwaveFlash1->SetMovieTitle(LessonTitle(*node));
    } else if (target.Kind == TLessonKind::Programme) {
        OpenProgrammeWindow();
    } else if (ShockwaveFlash1->TotalFrames() == 0) {
        // A stopped movie stays on its frame; a lesson that failed or has
        // not arrived has none, and its message must not stand beside this
        // entry as if it were this entry's.
        ShockwaveFlash1->SetMovie(String());
    }
}

// "听力故事 1": the series makes the lesson's number unambiguous.
String TForm1::LessonTitle(const TTreeNode &Node)
{
    const String caption = Node.Text().trimmed();
    return Node.Parent() ? Node.Parent()->Text().trimmed() + QLatin1Char(' ') + caption : caption;
}

// The programme window takes this one's place, in this one's style; this
// one hides with its movie stopped.
void TForm1::OpenProgrammeWindow()
{
    SetVisible(false);
    ShockwaveFlash1->StopPlay();
    Form3->Show();
    Form3->suiForm1->SetUIStyle(suiForm1->UIStyle());
}
