#pragma once
// The main window as the editor and file tests drive it: shown and focused, its file dialog
// answered from a queue, its files in a temporary folder.

#include "TestSupport.h"

#include "mainwindow/frmMain.h"
#include "platform/widgets/FileDialog.h"
#include "platform/widgets/RichTextBox.h"
#include "settings/GlobalVariables.h"
#include "shared/SharedState.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <deque>

class EditorWindow : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (window) {
            MessageBoxRecorder answer(platform::vbNo);
            window->close();
            window.reset();
        }
    }

    // Settings present (no first run), so that a test can set single values beforehand.
    void PutSetting(const QString& section, const QString& key, const QString& value)
    {
        store.Put("TextEditor", "Font", "Courier New");
        store.Put(section, key, value);
    }

    // Opens a file through File > Open....
    void Open(const QString& path)
    {
        dialogAnswers.push_back(path);
        window->mnuFileOpen_Click();
    }

    void Start()
    {
        window = std::make_unique<frmMain>(state, settings, store);
        window->Form_Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
        Editor().setFocus();
        QCoreApplication::processEvents();
    }

    RichTextBox& Editor() { return *window->TextEditor; }
    bool Enabled(const char* key) { return window->IsButtonEnabled(key); }
    QString Panel() { return window->PanelText("FileName"); }
    QString Entry(int i) { return store.GetSetting(settings::AppName, "RecentFilePaths", QString::number(i)); }

    QStringList RecentCaptions()
    {
        QStringList out;
        for (QAction* item : window->mnuFileRecentFiles)
            if (item->isVisible())
                out << item->text();
        return out;
    }

    // A file of the test's folder.
    QString WriteFile(const QString& name, const QByteArray& bytes) { return WriteFileBytes(dir.filePath(name), bytes); }

    // The colour of one character of the editor.
    qint32 ColourAt(int position)
    {
        Editor().Select(position, 1);
        return Editor().SelColor();
    }

    RecordingStore store;
    SharedState state;
    GlobalVariables settings;
    std::unique_ptr<frmMain> window;
    QTemporaryDir dir;
    std::deque<std::optional<QString>> dialogAnswers;
    std::vector<platform::FileDialogRequest> dialogs;

private:
    const platform::ScopedHook<platform::FileDialogHandler> fileDialog_{
        platform::SetFileDialogHandler, [this](const platform::FileDialogRequest& r) {
            dialogs.push_back(r);
            if (dialogAnswers.empty())
                return std::optional<QString>();
            std::optional<QString> a = dialogAnswers.front();
            dialogAnswers.pop_front();
            return a;
        }};
};
