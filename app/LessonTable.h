#pragma once
// What a click on a catalogue node leads to: the lesson's movie address, the
// programme window, or nothing. Captions compare exactly, whole and blanks
// included; the node's place in the tree plays no part.
#include "SysUtils.h"

enum class TLessonKind { None, Movie, Programme };

struct TLessonTarget {
    TLessonKind Kind = TLessonKind::None;
    String Address; // the full "http://" address of a movie entry
};

TLessonTarget LookupLesson(const String &Caption);

// The servers' host[:port]: built-in defaults, or WORDLARK_CONTENT_HOST and
// WORDLARK_ANIMATION_HOST when they hold a well-formed host[:port].
String ContentHost();
String AnimationHost();
