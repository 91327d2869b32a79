#pragma once
// A movie of one clip and nothing to show: runs scripts on their own (the
// fuzz target, the benchmark). Timeline actions do nothing; trace output
// goes to `traced` when set.
#include "Host.h"

#include <functional>

namespace swf::avm1 {

class StandaloneHost : public Host {
public:
    // The one clip; the caller makes it and keeps it alive (pinned).
    Object *rootClip = nullptr;
    std::function<void(const QString &)> traced;

    void trace(const QString &line) override
    {
        if (traced)
            traced(line);
    }
    void warn(const QString &) override {}
    bool isClip(const Object *o) const override { return o && o == rootClip; }
    Object *follow(Object *clip) override { return clip; }
    Object *level(int n) override { return n == 0 ? rootClip : nullptr; }
    Object *root(Object *) override { return rootClip; }
    Object *parent(Object *) override { return nullptr; }
    Object *child(Context &, Object *, String *) override { return nullptr; }
    QString targetPath(Object *, bool slashes) override
    {
        return slashes ? QStringLiteral("/") : QStringLiteral("_level0");
    }
    void control(Object *, Control) override {}
    void gotoFrame(Object *, int, bool) override {}
    int frameOfLabel(Object *, const QString &) override { return -1; }
    int framesLoaded(Object *) override { return 1; }
    void callFrame(Object *, int) override {}
    void getUrl(Context &, const QString &, const QString &, int, bool, bool) override {}
    void cloneSprite(Context &, Object *, const QString &, int) override {}
    void removeSprite(Context &, Object *) override {}
    void startDrag(Context &, Object *, bool, const double *) override {}
};

}
