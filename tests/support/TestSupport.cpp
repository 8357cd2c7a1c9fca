#include "TestSupport.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

QString RecordingStore::GetSetting(const QString& appName, const QString& section, const QString& key,
                                   const QString& defaultValue)
{
    appNames << appName;
    const auto it = values.find({section, key});
    return it == values.end() ? defaultValue : it->second;
}

void RecordingStore::SaveSetting(const QString& appName, const QString& section, const QString& key,
                                 const QString& value)
{
    appNames << appName;
    writes.push_back({section, key, value});
    values[{section, key}] = value;
}

void RecordingStore::Put(const QString& section, const QString& key, const QString& value)
{
    values[{section, key}] = value;
}

bool RecordingStore::Has(const QString& section, const QString& key) const
{
    return values.count({section, key}) != 0;
}

MessageBoxRecorder::MessageBoxRecorder(int fallbackAnswer)
    : fallback(fallbackAnswer),
      hook_(platform::SetMsgBoxHandler, [this](const QString& text, int flags, const QString& title) {
          shown.push_back({text, flags, title});
          if (answers.empty())
              return fallback;
          const int a = answers.front();
          answers.pop_front();
          return a;
      })
{
}

MessageBoxRecorder::~MessageBoxRecorder() = default;

ModalRecorder::ModalRecorder()
    : hook_(platform::SetModalHandler, [this](QDialog& window) {
          shown << window.objectName();
          if (answer)
              answer(window);
      })
{
}

ModalRecorder::~ModalRecorder() = default;

QByteArray ReadFileBytes(const QString& path, const QByteArray& missing)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : missing;
}

QString WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

bool FilePermissionsBind()
{
    QTemporaryDir dir;
    const QString closed = dir.filePath(QStringLiteral("closed"));
    QDir().mkpath(closed);
    QFile::setPermissions(closed, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(closed + QStringLiteral("/probe"));
    const bool written = probe.open(QIODevice::WriteOnly);
    probe.close();
    probe.remove();
    QFile::setPermissions(closed, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return !written;
}

namespace {
bool wantsDisplay = false; // set before main() by the programs that ask
} // namespace

bool UseDisplayPlatform()
{
    wantsDisplay = true;
    return true;
}

bool WantsDisplayPlatform()
{
    return wantsDisplay;
}
