// A click in the lesson tree: stop the movie, freeze the frame display and
// play the lesson the selected caption names.
#include "LessonTable.h"
#include "Unit1.h"

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
}
