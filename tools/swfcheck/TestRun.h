#pragma once
// Runs one conformance test in this process: loads the movie through the
// movie control, ticks its frames, plays the recorded input, captures the
// stage at the triggers and compares images and trace output with the
// references. Needs a QApplication.
#include "TestCase.h"

namespace swfcheck {

struct Outcome {
    bool passed = false;
    QString reason; // why it failed
};

// Writes <name>.actual.png and <name>.diff.png of failed images into
// `diffFolder` when it is not empty.
Outcome runTestCase(const TestCase &test, const QString &diffFolder);

}
