#pragma once
// The Sound class: scripts start, stop and shape the sounds of a clip or of
// the whole movie.
namespace swf::avm1 {

class Vm;

void installSound(Vm &vm);

}
