#pragma once
// The error raised while reading a movie: a bad header, a lying length or a
// record that runs past its tag.
#include <stdexcept>
#include <string>

namespace swf {

class SwfError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}
