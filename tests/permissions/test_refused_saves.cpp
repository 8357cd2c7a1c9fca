// Saves that the file system refuses. File permissions do not bind root: as root these tests
// run as another user, or as root without its say over file modes (scripts/as-test-user,
// named by scripts/test), or are skipped.
#include "test_editor_window.h"

#include "platform/widgets/RichTextBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class Files : public EditorWindow
{
};

} // namespace

TEST(RichTextBoxFiles, ASaveThatIsRefusedKeepsThePreviousFile)
{
    QTemporaryDir dir;
    RichTextBox b;
    b.SetText("new");
    QString error;
    if (!FilePermissionsBind())
        GTEST_SKIP() << "file permissions do not bind root";
    // A read-only folder: the old file stays whole.
    const QString folder = dir.filePath("ro");
    QDir().mkpath(folder);
    const QString path = folder + "/a.cnc";
    WriteFileBytes(path, "old");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(b.SaveFile(path, &error));
    EXPECT_TRUE(error.contains("a.cnc")) << error.toStdString();
    EXPECT_EQ(ReadFileBytes(path), "old");
    // A read-only file in a writable folder is not replaced either.
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    EXPECT_FALSE(b.SaveFile(path, &error));
    EXPECT_EQ(ReadFileBytes(path), "old");
}

TEST_F(Files, ASaveToAReadOnlyFolderKeepsTheOldFile)
{
    if (!FilePermissionsBind())
        GTEST_SKIP() << "file permissions do not bind root";
    Start();
    const QString path = WriteFile("ro/p.cnc", "G1");
    Open(path);
    Editor().SetText("G1 X2");
    QFile::setPermissions(dir.filePath("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    MessageBoxRecorder boxes;
    window->mnuFileSave_Click();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(Enabled("Save"));
    EXPECT_EQ(ReadFileBytes(path), "G1");
    QFile::setPermissions(dir.filePath("ro"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
