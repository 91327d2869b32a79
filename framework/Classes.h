#pragma once
// The framework's object model: the root object, persistent objects and the
// notify event.
#include "SysUtils.h"
#include "Types.h"

#include <functional>

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject *Sender)>;

// An object whose state can be copied from another with Assign.
class TPersistent : public TObject {
public:
    // Copies Source into this object; raises EConvertError when the two kinds
    // cannot be assigned to each other.
    virtual void Assign(const TPersistent *Source);

protected:
    // Lets Source's class copy itself into a destination it knows.
    virtual void AssignTo(TPersistent *Dest) const;
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};
