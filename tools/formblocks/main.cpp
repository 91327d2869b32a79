// Fills the binary blocks of window descriptions in place:
//   Items.Data of a tree view          the lesson catalogue
//   TitleBarButtons, TitleBarSections  the pictures of the skinned form's style
//   BarImage.Data, SliderImage.Data    the pictures of the track bar's style
// The pictures are taken from real skinned controls set to the style the
// description names, so they are exactly what the style loads.
//
//   QT_QPA_PLATFORM=offscreen wordlark_formblocks app/Unit1.form ...
#include "LessonCatalogue.h"
#include "SUIForm.h"
#include "SUIRegistration.h"
#include "SUITrackBar.h"
#include "Streaming.h"

#include <QApplication>
#include <QFile>
#include <cstdio>

namespace {

TPropNode *FindProp(TPropList &Props, const char *Name)
{
    for (TPropNode &prop : Props)
        if (prop.Name == QLatin1String(Name))
            return &prop;
    return nullptr;
}

// Replaces the value of a binary block the description already has.
void FillBlock(TPropList &Props, const char *Name, const QByteArray &Data)
{
    if (TPropNode *prop = FindProp(Props, Name))
        prop->Value = TValue::Binary(Data);
}

TsuiUIStyle StyleOf(TPropList &Props)
{
    const TPropNode *prop = FindProp(Props, "UIStyle");
    if (!prop)
        return DeepBlue;
    const TValue value = prop->Value;
    return static_cast<TsuiUIStyle>(StreamingDetail::ToEnum(value, typeid(TsuiUIStyle)));
}

void FillForm(TObjectNode &Node)
{
    TForm form(nullptr);
    auto *skin = new TsuiForm(&form);
    skin->SetParent(&form);
    skin->SetUIStyle(StyleOf(Node.Props));
    if (TPropNode *buttons = FindProp(Node.Props, "TitleBarButtons")) {
        for (TPropList &item : buttons->Value.CollectionItems) {
            const TPropNode *type = FindProp(item, "ButtonType");
            if (!type)
                continue;
            const int wanted = StreamingDetail::ToEnum(type->Value, typeid(TsuiTitleBarBtnType));
            for (int i = 0; i < skin->TitleBarButtons()->Count(); ++i) {
                const TsuiTitleBarButton *button = skin->TitleBarButtons()->Items(i);
                if (button->ButtonType() != wanted)
                    continue;
                FillBlock(item, "PicNormal.Data", button->PicNormal()->Data());
                FillBlock(item, "PicMouseOn.Data", button->PicMouseOn()->Data());
                FillBlock(item, "PicMouseDown.Data", button->PicMouseDown()->Data());
            }
        }
    }
    if (TPropNode *sections = FindProp(Node.Props, "TitleBarSections")) {
        auto &items = sections->Value.CollectionItems;
        for (int i = 0; i < int(items.size()) && i < skin->TitleBarSections()->Count(); ++i)
            FillBlock(items[i], "Picture.Data", skin->TitleBarSections()->Items(i)->Picture()->Data());
    }
}

void FillTrackBar(TObjectNode &Node)
{
    TsuiTrackBar bar(nullptr);
    bar.SetUIStyle(StyleOf(Node.Props));
    FillBlock(Node.Props, "BarImage.Data", bar.BarImage()->Data());
    FillBlock(Node.Props, "SliderImage.Data", bar.SliderImage()->Data());
}

void Fill(TObjectNode &Node)
{
    if (Node.ClassName == QLatin1String("TsuiForm"))
        FillForm(Node);
    else if (Node.ClassName == QLatin1String("TsuiTrackBar"))
        FillTrackBar(Node);
    else if (Node.ClassName.endsWith(QLatin1String("TreeView")))
        FillBlock(Node.Props, "Items.Data", WriteTreeNodes(LessonCatalogue()));
    for (TObjectNode &child : Node.Children)
        Fill(child);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    RegisterSkinClasses();
    if (argc < 2) {
        std::fprintf(stderr, "usage: wordlark_formblocks DESCRIPTION...\n");
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        const String name = QString::fromLocal8Bit(argv[i]);
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s: cannot read\n", argv[i]);
            return 1;
        }
        try {
            TObjectNode root = ParseDescription(file.readAll(), name);
            file.close();
            Fill(root);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(FormatDescription(root)) < 0) {
                std::fprintf(stderr, "%s: cannot write\n", argv[i]);
                return 1;
            }
        } catch (const Exception &e) {
            std::fprintf(stderr, "%s\n", e.Message.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
