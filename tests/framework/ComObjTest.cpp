#include "ComObj.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {
class Recorder : public IOleComponent {
public:
    explicit Recorder(QWidget *parent) : window(new QWidget(parent)) {}
    QWidget *Window() const override { return window; }
    OleVariant GetProperty(DISPID id) override
    {
        if (id != 7)
            throw EOleException("Unknown name");
        return value;
    }
    void SetProperty(DISPID id, const OleVariant &v) override
    {
        if (id != 7)
            throw EOleException("Unknown name");
        value = v;
    }
    OleVariant CallMethod(int position, const QVariantList &) override { return position; }
    QWidget *window;
    OleVariant value;
};
const QString kClass = "{00000000-1111-2222-3333-444444444444}";
}

TEST(ComObj, CreatesRegisteredClassCaseInsensitively)
{
    QWidget host;
    RegisterComClass(kClass, [](QWidget *parent) { return std::make_unique<Recorder>(parent); });
    auto component = CreateComObject(kClass.toLower(), &host);
    ASSERT_TRUE(component);
    EXPECT_EQ(component->Window()->parentWidget(), &host);
    component->SetProperty(7, QString("abc"));
    EXPECT_EQ(component->GetProperty(7).toString(), "abc");
    EXPECT_EQ(component->CallMethod(33).toInt(), 33);
    EXPECT_THROW(component->GetProperty(8), EOleException);
    UnregisterComClass(kClass);
}

TEST(ComObj, UnknownClassIsAnOleError)
{
    try {
        CreateComObject("{DEADBEEF-0000-0000-0000-000000000000}", nullptr);
        FAIL() << "expected EOleException";
    } catch (const EOleException &e) {
        EXPECT_EQ(e.Message, "Class not registered");
    }
}
