#pragma once
// The Content-Type the server sends for a file, from its name's extension.
#include <QByteArray>
#include <QString>

QByteArray ContentTypeFor(const QString &FileName);
