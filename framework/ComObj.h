#pragma once
// In-process components that hosted controls (TOleControl) are created from.
// A component is found by class id; its properties are reached by dispatch id
// and its methods by their position in the dual interface's function table
// (counted from 0, the seven IUnknown and IDispatch entries included).
#include "SysUtils.h"

#include <QVariant>
#include <functional>
#include <memory>

class QWidget;

using OleVariant = QVariant;
using DISPID = int;

// A call the component refuses.
class EOleException : public Exception {
public:
    using Exception::Exception;
};

class IOleComponent {
public:
    virtual ~IOleComponent() = default;
    // The component's window; the host places and sizes it over its own.
    virtual QWidget *Window() const = 0;
    // Raise EOleException for an id the component does not know.
    virtual OleVariant GetProperty(DISPID id) = 0;
    virtual void SetProperty(DISPID id, const OleVariant &value) = 0;
    virtual OleVariant CallMethod(int position, const QVariantList &args = {}) = 0;
};

using ComponentFactory = std::function<std::unique_ptr<IOleComponent>(QWidget *parent)>;

// Class ids are written as in the registry: "{D27CDB6E-AE6D-11CF-96B8-444553540000}".
// Registering an id again replaces its factory (tests register scripted stand-ins).
void RegisterComClass(const String &classId, ComponentFactory factory);
void UnregisterComClass(const String &classId);
// Raises EOleException "Class not registered" for an unknown class id.
std::unique_ptr<IOleComponent> CreateComObject(const String &classId, QWidget *parent);
