#pragma once
// Writing the files of a test folder.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

inline void writeTestFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
