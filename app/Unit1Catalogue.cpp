// A click in the lesson tree: stop the movie, freeze the frame display and
// play the lesson the selected caption names.
#include "LessonTable.h"
#include "Unit1.h"
#include "Unit3.h"

void TForm1::suiTreeView1Click(TObject *)
{
    suiTreeView1->SetFocus();
    ShockwaveFlash1->StopPlay();
    Timer2->SetEnabled(false);
    const TTreeNode *node = suiTreeView1->Selected();
    if (!node)
        return;
    const TLessonTarget target = LookupLesson(node->Text());
    if (target.Kind == TLessonKind::Movie)
        ShockwaveFlash1->SetMovie(target.Address);
    else if (target.Kind == TLessonKind::Programme)
        OpenProgrammeWindow();
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
