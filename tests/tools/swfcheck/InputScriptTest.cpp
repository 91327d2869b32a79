// Recorded input: the events of input.json as the runner sends them.
#include "InputScript.h"

#include <gtest/gtest.h>

using namespace swfcheck;

TEST(InputScript, ReadsEveryEventKind)
{
    auto events = readInputScript(R"([
  { "type": "MouseMove", "pos": [42, 7.5] },
  { "type": "MouseDown", "pos": [1, 2], "btn": "Right" },
  { "type": "MouseUp", "pos": [1, 2], "btn": "Left" },
  { "type": "Wait" },
  { "type": "MouseWheel", "lines": -1 },
  { "type": "KeyDown", "key": "LeftShift" },
  { "type": "KeyUp", "key": { "Char": "a" } },
  { "type": "KeyDown", "key": { "Numpad": "1" } },
  { "type": "KeyDown", "key": "F5" },
  { "type": "TextInput", "codepoint": "ä" },
  { "type": "TextControl", "code": "Paste" },
  { "type": "SetClipboardText", "text": "abc" },
  { "type": "ImePreedit", "text": "q", "cursor": [1, 1] },
  { "type": "ImePreedit", "text": "", "cursor": null }
])");
    ASSERT_TRUE(events.has_value());
    const auto &e = *events;
    ASSERT_EQ(e.size(), 14u);
    EXPECT_EQ(e[0].kind, InputEvent::MouseMove);
    EXPECT_EQ(e[0].position, QPointF(42, 7.5));
    EXPECT_EQ(e[1].button, Qt::RightButton);
    EXPECT_EQ(e[2].kind, InputEvent::MouseUp);
    EXPECT_EQ(e[3].kind, InputEvent::Wait);
    EXPECT_EQ(e[4].wheelLines, -1);
    EXPECT_EQ(e[5].key, Qt::Key_Shift);
    EXPECT_EQ(e[6].kind, InputEvent::KeyUp);
    EXPECT_EQ(e[6].key, Qt::Key_A);
    EXPECT_EQ(e[7].key, Qt::Key_1);
    EXPECT_EQ(e[7].modifiers, Qt::KeypadModifier);
    EXPECT_EQ(e[8].key, Qt::Key_F5);
    EXPECT_EQ(e[9].text, QString::fromUtf8("ä"));
    EXPECT_EQ(e[10].key, Qt::Key_V);
    EXPECT_EQ(e[10].modifiers, Qt::ControlModifier);
    EXPECT_EQ(e[11].text, "abc");
    ASSERT_TRUE(e[12].cursor.has_value());
    EXPECT_EQ(e[12].cursor->second, 1);
    EXPECT_FALSE(e[13].cursor.has_value());
}

TEST(InputScript, RefusesWhatItCannotPlay)
{
    QString error;
    EXPECT_FALSE(readInputScript("[{ \"type\": \"Teleport\" }]", &error));
    EXPECT_TRUE(error.contains("Teleport"));
    EXPECT_FALSE(readInputScript("[{ \"type\": \"KeyDown\", \"key\": \"Hyper\" }]", &error));
    EXPECT_TRUE(error.contains("Hyper"));
    EXPECT_FALSE(readInputScript("[{ \"type\": \"MouseDown\", \"pos\": [1] }]", &error));
    EXPECT_FALSE(readInputScript("[{ \"type\": \"TextControl\", \"code\": \"Explode\" }]", &error));
    EXPECT_FALSE(readInputScript("{ \"type\": \"Wait\" }", &error));
    EXPECT_FALSE(readInputScript("[1, 2]", &error));
    EXPECT_FALSE(readInputScript("[", &error));
    EXPECT_FALSE(error.isEmpty());
}
