#include "Classes.h"

void TPersistent::Assign(const TPersistent *Source)
{
    if (!Source)
        throw EConvertError(QStringLiteral("Cannot assign a nil"));
    Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent *) const
{
    throw EConvertError(QStringLiteral("Cannot assign"));
}
