// The key codes movies see for the keys of the keyboard, and the codes
// key-press handlers wait for.
#include "swf/SwfKeyboard.h"

#include <Qt>
#include <gtest/gtest.h>

struct KeyCase {
    int qtKey;
    int code;
    int ascii;
    int pressCode;
};

class SwfKeyCodes : public ::testing::TestWithParam<KeyCase> {};

TEST_P(SwfKeyCodes, AreThoseOfTheOriginal)
{
    const KeyCase &k = GetParam();
    EXPECT_EQ(swf::keyCodeOf(k.qtKey), k.code);
    EXPECT_EQ(swf::keyPressCodeOf(k.code, k.ascii), k.pressCode);
}

INSTANTIATE_TEST_SUITE_P(Keys, SwfKeyCodes,
                         ::testing::Values(KeyCase{Qt::Key_A, 65, 'a', 'a'}, KeyCase{Qt::Key_Z, 90, 'Z', 'Z'},
                                           KeyCase{Qt::Key_5, 53, '5', '5'}, KeyCase{Qt::Key_Space, 32, ' ', ' '},
                                           KeyCase{Qt::Key_Return, 13, '\r', 13}, KeyCase{Qt::Key_Enter, 13, '\r', 13},
                                           KeyCase{Qt::Key_Left, 37, 0, 1}, KeyCase{Qt::Key_Right, 39, 0, 2},
                                           KeyCase{Qt::Key_Up, 38, 0, 14}, KeyCase{Qt::Key_Down, 40, 0, 15},
                                           KeyCase{Qt::Key_Escape, 27, 27, 19}, KeyCase{Qt::Key_Tab, 9, '\t', 18},
                                           KeyCase{Qt::Key_Delete, 46, 127, 6}, KeyCase{Qt::Key_F1, 112, 0, 0},
                                           KeyCase{Qt::Key_Shift, 16, 0, 0}, KeyCase{Qt::Key_Comma, 188, ',', ','},
                                           KeyCase{Qt::Key_QuoteDbl, 222, '"', '"'},
                                           KeyCase{Qt::Key_Question, 191, '?', '?'},
                                           KeyCase{Qt::Key_MediaPlay, 0, 0, 0}));
