// blendMode and cacheAsBitmap as scripts set them: names exactly, numbers
// modulo 256, null for normal; anything else leaves the mode as it was.
#include "../ScriptTestUtil.h"
#include "swf/SwfMovieClip.h"

#include <gtest/gtest.h>

using namespace swftest::scripts;

TEST(ClipEffects, BlendModeAcceptsNamesNumbersAndNull)
{
    ActionWriter w;
    const std::vector<ActionWriter::PushValue> values = {
        QStringLiteral("layer"), 259, 3.5, true, -1, QStringLiteral("lAyEr"), ActionWriter::Null{}};
    for (const auto &value : values) {
        setMember(w, "clip", "blendMode", QStringLiteral("invert"));
        setMember(w, "clip", "blendMode", value);
        traceMember(w, "clip", "blendMode");
    }
    setMember(w, "clip", "cacheAsBitmap", 1);
    traceMember(w, "clip", "cacheAsBitmap");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"layer", "multiply", "multiply", "invert", "invert", "invert", "normal", "true"}));
}
