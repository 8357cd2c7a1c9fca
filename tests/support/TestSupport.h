#pragma once
// Helpers every test folder uses: a settings store in memory that records its writes, and a
// message-box answerer that records what would have been shown.

#include "platform/Hook.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/ModalWindow.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

class RecordingStore : public platform::SettingsStore
{
public:
    struct Write
    {
        QString section, key, value;
        bool operator==(const Write&) const = default;
    };

    QString GetSetting(const QString& appName, const QString& section, const QString& key,
                       const QString& defaultValue = QString()) override;
    void SaveSetting(const QString& appName, const QString& section, const QString& key,
                     const QString& value) override;

    // Sets a value without recording it as a write of the program.
    void Put(const QString& section, const QString& key, const QString& value);
    bool Has(const QString& section, const QString& key) const;

    std::vector<Write> writes;
    std::map<std::tuple<QString, QString>, QString> values;
    QStringList appNames; // every application name asked for
};

struct ShownMessage
{
    QString text;
    int flags = 0;
    QString title;
};

// While alive, answers every message box: from `answers` in order, then with `fallback`.
class MessageBoxRecorder
{
public:
    explicit MessageBoxRecorder(int fallback = platform::vbOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<ShownMessage> shown;
    std::deque<int> answers;
    int fallback;

private:
    platform::ScopedHook<platform::MsgBoxHandler> hook_;
};

// While alive, answers every modal window: records its object name and returns at once (the
// window counts as closed without being shown), or hands it to `answer` when one is set.
// Outside a recorder, every test binary answers modal windows that way too, unrecorded.
class ModalRecorder
{
public:
    ModalRecorder();
    ~ModalRecorder();
    ModalRecorder(const ModalRecorder&) = delete;
    ModalRecorder& operator=(const ModalRecorder&) = delete;

    QStringList shown;
    std::function<void(QDialog&)> answer;

private:
    platform::ScopedHook<platform::ModalHandler> hook_;
};

// A file's bytes, or `missing` when it cannot be read; and a file written whole, its folder
// made first (a test failure when it cannot be written), returning its path.
QByteArray ReadFileBytes(const QString& path, const QByteArray& missing = QByteArrayLiteral("<missing>"));
QString WriteFileBytes(const QString& path, const QByteArray& bytes);

// False where this process may write into a folder that its mode keeps it out of (root):
// there a test of a refused write cannot fail.
bool FilePermissionsBind();

// A test program whose tests need a real window system (GL surfaces) says so at namespace
// scope with `const bool usesDisplay = UseDisplayPlatform();`; it then runs on xcb when a
// display is set, and on the offscreen platform otherwise.
bool UseDisplayPlatform();
bool WantsDisplayPlatform();
