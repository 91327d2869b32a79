#pragma once
// Movies and scripts for the tests of the display objects' script bindings:
// a movie with one clip whose first frame runs a script, and the actions
// that read, set and call members by path.
#include "../../SwfTestUtil.h"
#include "ActionWriter.h"
#include "SwfWriter.h"
#include "swf/avm1/display/MovieScripts.h"

#include <QStringList>

namespace swftest::scripts {

using swfmake::ActionWriter;
using swfmake::MovieWriter;
using swfmake::Place;
using swfmake::TagWriter;
namespace Op = swf::avm1::Op;

// A 20 x 10 pixel box (its bounds one twip more) as sprite 2 (exported as "box"), placed as "clip" at
// (10, 10) on the root's first frame, whose actions are `script`.
inline std::shared_ptr<swf::Movie> boxMovie(const ActionWriter &script, int frames = 1)
{
    MovieWriter m(200, 200, 12, 8);
    swfmake::ShapeBuilder s;
    s.setStyles(0, s.addFill(swfmake::Fill::solid(Qt::red)), 0);
    s.rect(0, 0, 400, 200);
    m.defineShape(1, s);
    TagWriter box;
    box.place(Place{1, false, 1, QTransform(), {}, {}, {}, {}});
    box.showFrame();
    box.showFrame();
    m.defineSprite(2, box);
    swfmake::BitWriter exports;
    exports.u16(1);
    exports.u16(2);
    exports.string(QStringLiteral("box"));
    m.tag(56, exports.data());
    m.place(Place{1, false, 2, QTransform::fromTranslate(200, 200), {}, {}, QStringLiteral("clip"), {}});
    m.tag(12, script.block());
    for (int i = 0; i < frames; ++i)
        m.showFrame();
    return swftest::load(m.finish());
}

// Pushes `path`'s value: "clip" or "clip.child".
inline ActionWriter &get(ActionWriter &w, const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('.'));
    w.getVariable(parts.first());
    for (qsizetype i = 1; i < parts.size(); ++i)
        w.push({parts[i]}).op(Op::GetMember);
    return w;
}

inline ActionWriter &setMember(ActionWriter &w, const QString &object, const QString &name, const ActionWriter::PushValue &v)
{
    get(w, object).push({name, v}).op(Op::SetMember);
    return w;
}

inline ActionWriter &traceMember(ActionWriter &w, const QString &object, const QString &name)
{
    get(w, object).push({name}).op(Op::GetMember).op(Op::Trace);
    return w;
}

// Calls `object.method(args)`, leaving the result on the stack.
inline ActionWriter &call(ActionWriter &w, const QString &object, const QString &method,
                   std::vector<ActionWriter::PushValue> args = {})
{
    std::reverse(args.begin(), args.end());
    if (!args.empty())
        w.push(args);
    w.push({int32_t(args.size())});
    get(w, object).push({method}).op(Op::CallMethod);
    return w;
}

// `name = new className(args)`.
inline ActionWriter &construct(ActionWriter &w, const QString &name, const QString &className,
                               std::vector<ActionWriter::PushValue> args = {})
{
    w.push({name});
    std::reverse(args.begin(), args.end());
    if (!args.empty())
        w.push(args);
    w.push({int32_t(args.size()), className}).op(Op::NewObject).op(Op::SetVariable);
    return w;
}

struct Played {
    explicit Played(std::shared_ptr<swf::Movie> movie)
        : scene(std::move(movie), std::make_unique<swf::avm1::MovieScripts>([this](const QString &line) {
              lines << line;
          }))
    {
    }
    QStringList lines;
    swftest::Scene scene;
};

}
