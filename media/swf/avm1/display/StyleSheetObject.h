#pragma once
// TextField.StyleSheet, installed on the TextField class.
#include "swf/SwfHtmlText.h"

namespace swf::avm1 {

class Context;
class Object;
class Vm;

void installStyleSheet(Vm &vm, Object *textFieldClass);
// The rules a style sheet holds now, as text fields apply them; none for an
// object that is no style sheet.
StyleRules styleRulesOf(Context &cx, Object *sheet);

}
