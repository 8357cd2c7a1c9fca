// Tools > Tool Library... through the real window, on a copy of the shipped tools folder.
#include "test_run_window.h"

#include "simulation/Graphics.h"
#include "toollibrary/widgets/frmToolSelect.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

class ToolLibraryWindow : public RunWindow
{
protected:
    void SetUp() override
    {
        RunWindow::SetUp();
        const QString shipped = platform::ProgramFile(QStringLiteral("\\tools"));
        QDir().mkpath(app.path() + "/tools");
        for (const QString& name : QDir(shipped).entryList(QDir::Files))
            QFile::copy(shipped + u'/' + name, app.path() + "/tools/" + name);
        appPath_.emplace(platform::SetAppPathForTesting, app.path());
    }
    void TearDown() override
    {
        RunWindow::TearDown();
        appPath_.reset();
    }

    QByteArray ListFile() { return ReadFileBytes(app.path() + "/tools/ToolList.ini", {}); }

    QTemporaryDir app;
    std::optional<platform::ScopedHook<QString>> appPath_;
};

} // namespace

TEST_F(ToolLibraryWindow, TheToolsMenuOpensTheLibraryWhoseCloseFeedsTheToolChange)
{
    Start();
    ASSERT_TRUE(window->mnuToolLibrary->isEnabled());
    ModalRecorder modal;
    frmToolSelect* opened = nullptr;
    QStringList details;
    modal.answer = [&](QDialog& d) {
        opened = qobject_cast<frmToolSelect*>(&d);
        ASSERT_TRUE(opened);
        // Fresh at every opening: nothing chosen.
        EXPECT_EQ(opened->cmbTools->count(), 21);
        EXPECT_EQ(opened->ChosenTool(), -1);
        EXPECT_TRUE(opened->FileList->selectedItems().isEmpty());
        EXPECT_EQ(opened->lblName->text(), "Name:");
        opened->cmbTools->setCurrentIndex(7);
        emit opened->cmbTools->activated(7);
        const auto groove = opened->FileList->findItems("groove.bmp", Qt::MatchExactly);
        ASSERT_EQ(groove.size(), 1);
        opened->FileList->setCurrentItem(groove.first());
        details = {opened->lblName->text(), opened->lblToolWidth->text(), opened->lblToolHeight->text()};
        opened->cmdAssign_Click();
        opened->cmdClose_Click();
    };
    MessageBoxRecorder boxes;
    window->mnuToolLibrary->trigger();
    EXPECT_EQ(modal.shown, QStringList{"frmToolSelect"});
    EXPECT_EQ(opened, &window->ToolSelect()); // the one window, owned by the main window
    EXPECT_EQ(opened->parentWidget(), window.get());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(details, (QStringList{"Grooving tool", "30", "101"}));
    EXPECT_TRUE(ListFile().contains("\r\n7=groove.bmp\r\n"));

    // What the tool change reads, through the same window while it is hidden.
    state.ToolFiles[7].clear();
    window->ToolSelect().GetToolList();
    EXPECT_EQ(state.ToolFiles[7], "groove.bmp");

    // Opened again, it starts afresh; tool 7 now shows the grooving tool.
    modal.answer = [&](QDialog& d) {
        auto& w = static_cast<frmToolSelect&>(d);
        EXPECT_EQ(w.lblName->text(), "Name:");
        w.cmbTools->setCurrentIndex(7);
        emit w.cmbTools->activated(7);
        const auto selected = w.FileList->selectedItems();
        ASSERT_EQ(selected.size(), 1);
        EXPECT_EQ(selected.first()->text(), "groove.bmp");
        w.reject();
    };
    window->mnuToolLibrary->trigger();
    EXPECT_EQ(modal.shown.size(), 2);
}

TEST_F(ToolLibraryWindow, ARunsToolChangeUsesWhatTheLibraryAssigned)
{
    Start("[BILLET X20 Z40\r\nG00 X22 Z2\r\nT3 M06\r\nG00 X24 Z4");
    ModalRecorder modal;
    modal.answer = [&](QDialog& d) {
        auto& w = static_cast<frmToolSelect&>(d);
        w.cmbTools->setCurrentIndex(3);
        emit w.cmbTools->activated(3);
        w.FileList->setCurrentItem(w.FileList->findItems("boring.bmp", Qt::MatchExactly).first());
        w.cmdAssign_Click();
        w.cmdClose_Click();
    };
    window->mnuToolLibrary->trigger();
    MessageBoxRecorder boxes;
    window->mnuRunStart_Click();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(state.ToolWidth, 121);
    EXPECT_EQ(state.ToolHeight, 31);
    EXPECT_EQ(window->graphics().ToolDC(0).size(), QSize(121, 31));
}

TEST_F(ToolLibraryWindow, EveryOpeningStartsInTheToolNumberBox)
{
    Start();
    ModalRecorder modal;
    std::vector<QWidget*> focused;
    modal.answer = [&](QDialog& d) {
        auto& w = static_cast<frmToolSelect&>(d);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        (void)QTest::qWaitForWindowActive(&w);
        focused.push_back(w.focusWidget());
        // Down in the picture list, and Close from there.
        w.FileList->setFocus();
        QTest::keyClick(w.FileList, Qt::Key_Down);
        w.cmdClose->click();
        EXPECT_FALSE(w.isVisible());
    };
    window->mnuToolLibrary->trigger();
    window->mnuToolLibrary->trigger();
    ASSERT_EQ(modal.shown.size(), 2);
    const std::vector<QWidget*> box(2, window->ToolSelect().cmbTools);
    EXPECT_EQ(focused, box);
}

TEST_F(ToolLibraryWindow, AToolChangeFindsAUtf8NameBesideOneInTheCodePage)
{
    const QString tools = app.path() + "/tools/";
    ASSERT_TRUE(QFile::copy(tools + "boring.bmp", tools + "fr\u00e4s.bmp"));
    ASSERT_TRUE(QFile::copy(tools + "boring.ini", tools + "fr\u00e4s.ini"));
    QFile list(tools + "ToolList.ini");
    ASSERT_TRUE(list.open(QIODevice::WriteOnly | QIODevice::Truncate));
    list.write("0=tool.bmp\r\n1=dr\xe9h.bmp\r\n2=fr\xc3\xa4s.bmp\r\n");
    list.close();
    Start("[BILLET X20 Z40\r\nG00 X22 Z2\r\nT2 M06\r\nG00 X24 Z4");
    MessageBoxRecorder boxes;
    window->mnuRunStart_Click();
    for (const auto& box : boxes.shown)
        ADD_FAILURE() << box.text.toStdString();
    EXPECT_EQ(state.ToolFiles[2], "fr\u00e4s.bmp");
    EXPECT_EQ(window->graphics().ToolDC(0).size(), QSize(121, 31));
}
