// Typing into text fields: what keys do to a field (restrict, maxChars,
// deleting, moving the caret), and a click and typing through the real
// control window reaching the field and its variable.
#include "SwfTestUtil.h"
#include "SwfWriter.h"
#include "swf/FlashControl.h"
#include "swf/SwfEditTextObject.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfTextField.h"
#include "swf/SwfTextInput.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

swf::TextField inputField(const QString &text)
{
    swf::TextField field;
    field.editable = true;
    field.setText(text);
    field.setSelection(text.size(), text.size());
    return field;
}

void type(swf::TextField &field, const QString &keys)
{
    for (QChar c : keys)
        swf::typeIntoField(field, c.toUpper().unicode(), c);
}

}

TEST(SwfTextInput, RestrictNamesTheCharactersTypingMayEnter)
{
    struct Row {
        const char *restrict;
        char c;
        bool allowed;
    } rows[] = {
        {"A-Z", 'Q', true},   {"A-Z", 'q', false},  {"^aeiou", 'b', true}, {"^aeiou", 'e', false},
        {"a-z^q", 'p', true}, {"a-z^q", 'q', false}, {"0-9\\-", '-', true}, {"0-9\\-", '5', true},
        {"0-9\\-", '+', false}, {"", 'a', false},
    };
    for (const Row &r : rows)
        EXPECT_EQ(swf::restrictAllows(QString::fromLatin1(r.restrict), QChar(r.c)), r.allowed)
            << r.restrict << " " << r.c;
}

TEST(SwfTextInput, KeysTypeDeleteAndMoveWithinTheFieldsLimits)
{
    swf::TextField field = inputField(QStringLiteral("ab"));
    type(field, QStringLiteral("cd"));
    EXPECT_EQ(field.text(), "abcd");
    swf::typeIntoField(field, 37, QChar()); // left
    swf::typeIntoField(field, 8, QChar());  // backspace
    EXPECT_EQ(field.text(), "abd");
    swf::typeIntoField(field, 36, QChar()); // home
    swf::typeIntoField(field, 46, QChar()); // delete
    EXPECT_EQ(field.text(), "bd");
    EXPECT_FALSE(swf::typeIntoField(field, 13, QChar('\r'))) << "a single-line field takes no Enter";

    field.restrict = QStringLiteral("A-Z");
    field.maxChars = 4;
    type(field, QStringLiteral("x1yz"));
    EXPECT_EQ(field.text(), "XYbd") << "lower case becomes the allowed upper case, digits are refused, then full";

    field.editable = false;
    field.setSelection(0, 4);
    EXPECT_FALSE(swf::typeIntoField(field, 8, QChar()));
    EXPECT_EQ(field.text(), "XYbd") << "a dynamic field is not typed into";
}

namespace {

// An input field bound to `answer` at (10, 10) and a read-only field showing
// the same variable at (10, 50), in a movie written into `dir`.
QString writeInputMovie(const QTemporaryDir &dir)
{
    swfmake::MovieWriter m(100, 100, 30);
    m.setBackground(Qt::white);
    swfmake::MovieWriter::EditText input;
    input.bounds = QRect(0, 0, 80 * 20, 20 * 20);
    input.variable = QStringLiteral("answer");
    input.border = true;
    m.defineEditText(1, input);
    swfmake::MovieWriter::EditText echo = input;
    echo.readOnly = true;
    m.defineEditText(2, echo);
    m.place({1, false, 1, QTransform::fromTranslate(10 * 20, 10 * 20), {}, {}, QStringLiteral("input"), {}});
    m.place({2, false, 2, QTransform::fromTranslate(10 * 20, 50 * 20), {}, {}, QStringLiteral("echo"), {}});
    m.showFrame();
    QFile file(dir.filePath("input.swf"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(m.finish());
    return file.fileName();
}

// Clicks the input field of the movie shown in `control`.
void clickInput(swf::FlashControl &control)
{
    QPointF at = control.stageTransform(QSize(100, 100)).map(QPointF(50 * 20, 20 * 20));
    QMouseEvent press(QEvent::MouseButtonPress, at, control.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&control, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, control.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&control, &release);
}

swf::TextField &fieldAt(swf::FlashControl &control, int depth)
{
    auto *field = dynamic_cast<swf::EditTextObject *>(control.player().root()->children().at(depth));
    EXPECT_TRUE(field);
    return field->textField();
}

}

TEST(SwfTextInput, AClickAndKeysInTheControlWindowTypeIntoTheFieldAndItsVariable)
{
    QTemporaryDir dir;
    swf::FlashControl control;
    control.resize(100, 100);
    control.player().setManualTicks(true);
    control.setMovie(writeInputMovie(dir));
    control.player().tick();
    ASSERT_TRUE(control.player().root());
    clickInput(control);
    QTest::keyClicks(&control, QStringLiteral("Hi!"));
    control.player().tick();
    EXPECT_EQ(fieldAt(control, 1).text(), "Hi!");
    EXPECT_EQ(fieldAt(control, 2).text(), "Hi!") << "the typed text went into the variable the other field shows";
}

TEST(SwfTextInput, AnInputMethodAndTheClipboardTypeChineseIntoTheField)
{
    QTemporaryDir dir;
    swf::FlashControl control;
    control.resize(100, 100);
    control.player().setManualTicks(true);
    control.setMovie(writeInputMovie(dir));
    control.player().tick();
    ASSERT_TRUE(control.player().root());
    clickInput(control);
    EXPECT_TRUE(static_cast<QWidget &>(control).inputMethodQuery(Qt::ImEnabled).toBool()) << "input methods may type";
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("你好"));
    QCoreApplication::sendEvent(&control, &composed);
    EXPECT_EQ(fieldAt(control, 1).text(), QStringLiteral("你好"));
    QTest::keyClick(&control, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&control, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("你好"));
    QTest::keyClick(&control, Qt::Key_End);
    QTest::keyClick(&control, Qt::Key_V, Qt::ControlModifier);
    control.player().tick();
    EXPECT_EQ(fieldAt(control, 1).text(), QStringLiteral("你好你好"));
    EXPECT_EQ(fieldAt(control, 2).text(), QStringLiteral("你好你好"));
}

TEST(SwfTextInput, InsertedTextKeepsToRestrictAndMaxChars)
{
    swf::TextField field = inputField(QString());
    field.restrict = QStringLiteral("bc");
    field.maxChars = 3;
    EXPECT_TRUE(swf::insertIntoField(field, QStringLiteral("aAbBcC")));
    EXPECT_EQ(field.text(), "bbc") << "other-case letters count, the rest is cut at maxChars";
    EXPECT_FALSE(swf::insertIntoField(field, QStringLiteral("c")));
    swf::TextField open = inputField(QStringLiteral("x"));
    EXPECT_TRUE(swf::insertIntoField(open, QStringLiteral("\t学\U0001D7D8\n")));
    EXPECT_EQ(open.text(), QStringLiteral("x学\U0001D7D8")) << "control characters are dropped";
    open.setSelection(1, 2);
    EXPECT_EQ(swf::selectedText(open), QStringLiteral("学"));
    open.editable = false;
    EXPECT_FALSE(swf::insertIntoField(open, QStringLiteral("y")));
}
