#include "ComObj.h"

#include <QHash>

namespace {
QHash<QString, ComponentFactory> &registry()
{
    static QHash<QString, ComponentFactory> classes;
    return classes;
}
}

void RegisterComClass(const String &classId, ComponentFactory factory)
{
    registry().insert(classId.toUpper(), std::move(factory));
}

void UnregisterComClass(const String &classId)
{
    registry().remove(classId.toUpper());
}

std::unique_ptr<IOleComponent> CreateComObject(const String &classId, QWidget *parent)
{
    auto it = registry().constFind(classId.toUpper());
    if (it == registry().constEnd())
        throw EOleException(QStringLiteral("Class not registered"));
    return (*it)(parent);
}
