#pragma once
// Files of a tools folder as the tests lay them out.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// Writes `bytes` to `path`, making its folder; returns the path.
inline QString PutFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
    return path;
}

// The bytes of a file; `missing` when it cannot be read.
inline QByteArray FileBytes(const QString& path, const QByteArray& missing = QByteArray())
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : missing;
}
