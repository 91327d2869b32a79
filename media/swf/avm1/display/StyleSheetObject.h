#pragma once
// TextField.StyleSheet, installed on the TextField class.

namespace swf::avm1 {

class Object;
class Vm;

void installStyleSheet(Vm &vm, Object *textFieldClass);

}
