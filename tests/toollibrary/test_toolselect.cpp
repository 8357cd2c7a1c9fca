// The Tool Library window on a tools folder of its own: what it lists, what choosing a tool
// number and a picture shows, what Assign changes and what Close writes.
#include "TestSupport.h"

#include "platform/AppPaths.h"
#include "shared/SharedState.h"
#include "toollibrary/ToolTable.h"
#include "toollibrary/widgets/frmToolSelect.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include <QElapsedTimer>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ToolLibrary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Picture("Turn.bmp", 67, 101);
        Put("tools/Turn.ini", "TOOLNAME=Turning tool\r\nTOOLWIDTH=67\r\nTOOLHEIGHT=101\r\nCUTTINGPOINT=Lower left\r\n");
        Picture("groove.bmp", 30, 90);
        Put("tools/GROOVE.INI", "toolname = x\r\nToolName=  Grooving tool  \r\nTOOLWIDTH=30\r\nTOOLHEIGHT=90\r\n");
        Picture("big.bmp", 300, 200);
        Put("tools/big.ini", "TOOLNAME=Big\r\nTOOLWIDTH=300\r\nTOOLHEIGHT=200\r\nCUTTINGPOINT=Far\r\n");
        Put("tools/bad.bmp", "this is no picture");
        Put("tools/bad.ini", "TOOLNAME=Bad\r\n");
        Picture("nodesc.bmp", 10, 10);
        Put("tools/notes.txt", "not listed");
        List({{0, "Turn.bmp"}, {1, "TURN.BMP"}, {3, "missing.bmp"}, {4, "groove.bmp"}, {5, "big.bmp"}, {6, "bad.bmp"},
              {7, "nodesc.bmp"}});
    }

    void Put(const QString& relative, const QByteArray& bytes) { WriteFileBytes(app.path() + u'/' + relative, bytes); }
    void Picture(const QString& name, int w, int h)
    {
        QDir().mkpath(app.path() + "/tools");
        QImage image(w, h, QImage::Format_RGB888);
        image.fill(QColor(255, 0, 255));
        image.setPixel(0, h - 1, qRgb(10, 20, 30));
        ASSERT_TRUE(image.save(app.path() + "/tools/" + name, "BMP"));
    }
    static QByteArray ListText(const std::map<int, QString>& names)
    {
        QByteArray text;
        for (int n = 0; n <= 20; ++n)
            text += QByteArray::number(n) + '=' + (names.count(n) ? names.at(n).toUtf8() : QByteArray()) + "\r\n";
        return text;
    }
    void List(const std::map<int, QString>& names) { Put("tools/ToolList.ini", ListText(names)); }
    QByteArray ListFile() { return ReadFileBytes(app.path() + "/tools/ToolList.ini", "(none)"); }

    // Opens the window as the Tools menu does, with the list's messages answered.
    void Open()
    {
        dialog = std::make_unique<frmToolSelect>(state);
        dialog->Form_Load();
    }
    void Choose(int n)
    {
        dialog->cmbTools->setCurrentIndex(n);
        emit dialog->cmbTools->activated(n);
    }
    void Select(const QString& name)
    {
        const auto found = dialog->FileList->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        dialog->FileList->setCurrentItem(found.first());
    }
    QString Selected()
    {
        const auto s = dialog->FileList->selectedItems();
        return s.isEmpty() ? QString() : s.first()->text();
    }
    QStringList Details()
    {
        return {dialog->lblName->text(), dialog->lblToolWidth->text(), dialog->lblToolHeight->text(),
                dialog->lblCuttingPoint->text()};
    }
    // What the picture box shows: the picture's place and size, or nothing.
    QRect Shown() { return dialog->imgTool->isVisibleTo(dialog.get()) ? dialog->imgTool->geometry() : QRect(); }
    QRect Centred(int w, int h)
    {
        const QSize inner = dialog->picToolInside->size();
        return QRect(int(std::nearbyint(inner.width() / 2.0 - w / 2.0)), int(std::nearbyint(inner.height() / 2.0 - h / 2.0)), w, h);
    }

    QTemporaryDir app;
    SharedState state;
    MessageBoxRecorder boxes;
    std::unique_ptr<frmToolSelect> dialog;
    // Last, so that the real folder is back before the dialog goes.
    const platform::ScopedHook<QString> appPath_{platform::SetAppPathForTesting, app.path()};
};

const QStringList FirstTexts = {"Name:", "Tool Width:", "Tool Height:", "Cutting Point:"};

} // namespace

TEST_F(ToolLibrary, OpensWithThePicturesAndTheToolNumbersAndNothingChosen)
{
    Open();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(dialog->windowTitle(), "Tool Library");
    EXPECT_EQ(dialog->size(), QSize(392, 418)); // 5880 x 6270 twips
    EXPECT_EQ(dialog->font().family(), "Tahoma");
    EXPECT_DOUBLE_EQ(dialog->font().pointSizeF(), 8.25);

    QStringList files;
    for (int i = 0; i < dialog->FileList->count(); ++i)
        files << dialog->FileList->item(i)->text();
    EXPECT_EQ(files, (QStringList{"bad.bmp", "big.bmp", "groove.bmp", "nodesc.bmp", "Turn.bmp"}));
    EXPECT_EQ(QDir(dialog->FileListPath()), QDir(app.path() + "/tools"));
    ASSERT_EQ(dialog->cmbTools->count(), 21);
    for (int n = 0; n <= 20; ++n)
        EXPECT_EQ(dialog->cmbTools->itemText(n), QStringLiteral("Tool %1").arg(n));
    EXPECT_EQ(dialog->cmbTools->currentIndex(), -1);
    EXPECT_EQ(dialog->cmbTools->currentText(), "");
    EXPECT_EQ(dialog->ChosenTool(), -1);
    EXPECT_TRUE(dialog->FileList->selectedItems().isEmpty());
    EXPECT_EQ(Shown(), QRect());
    EXPECT_EQ(Details(), FirstTexts);
    EXPECT_EQ(state.ToolFiles[4], "groove.bmp");

    // The layout in pixels (twips / 15), and the texts at start.
    struct Place
    {
        QWidget* w;
        QRect at;
        QString text;
    };
    for (const Place& p : std::vector<Place>{
             {dialog->Image1, {11, 3, 240, 47}, {}},
             {dialog->Label5, {9, 71, 139, 17}, "&Tool Number"},
             {dialog->cmbTools, {9, 92, 175, 21}, {}},
             {dialog->Label6, {9, 124, 139, 17}, "Tool &List"},
             {dialog->FileList, {9, 144, 170, 240}, {}},
             {dialog->Frame1, {192, 65, 193, 303}, "Details"},
             {dialog->picTool, {14, 21, 166, 171}, {}},
             {dialog->Label1, {15, 208, 68, 17}, "Name:"},
             {dialog->Label4, {15, 266, 68, 17}, "Cutting Point:"},
             {dialog->lblToolWidth, {88, 228, 99, 17}, "Tool Width:"},
             {dialog->lblCuttingPoint, {88, 266, 99, 17}, "Cutting Point:"},
             {dialog->cmdAssign, {241, 380, 66, 26}, "&Assign"},
             {dialog->cmdClose, {317, 379, 66, 26}, "&Close"},
         }) {
        SCOPED_TRACE(p.w->objectName().toStdString());
        EXPECT_EQ(p.w->geometry(), p.at);
        if (auto* l = qobject_cast<QLabel*>(p.w); l && !p.text.isEmpty()) {
            EXPECT_EQ(l->text(), p.text);
        }
        if (auto* b = qobject_cast<QPushButton*>(p.w)) {
            EXPECT_EQ(b->text(), p.text);
        }
        if (auto* g = qobject_cast<QGroupBox*>(p.w)) {
            EXPECT_EQ(g->title(), p.text);
        }
    }
    EXPECT_EQ(dialog->Image1->pixmap().size(), QSize(240, 47));
    EXPECT_EQ(dialog->picToolInside->size(), QSize(162, 167)); // inside the box's border
}

TEST_F(ToolLibrary, AccessKeysAndTabsReachTheTwoLists)
{
    Open();
    EXPECT_EQ(dialog->Label5->buddy(), dialog->cmbTools);
    EXPECT_EQ(dialog->Label6->buddy(), dialog->FileList);
    const std::vector<QWidget*> order = {dialog->cmbTools, dialog->FileList, dialog->cmdAssign, dialog->cmdClose};
    std::vector<QWidget*> chain;
    QWidget* w = dialog->cmbTools;
    for (int i = 0; i < 50 && chain.size() < order.size(); ++i, w = w->nextInFocusChain())
        if (std::find(order.begin(), order.end(), w) != order.end() && std::find(chain.begin(), chain.end(), w) == chain.end())
            chain.push_back(w);
    EXPECT_EQ(chain, order);

    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    dialog->activateWindow();
    dialog->cmdClose->setFocus();
    QTest::keyClick(dialog.get(), Qt::Key_L, Qt::AltModifier);
    EXPECT_TRUE(dialog->FileList->hasFocus());
    QTest::keyClick(dialog.get(), Qt::Key_T, Qt::AltModifier);
    EXPECT_TRUE(dialog->cmbTools->hasFocus());
    dialog->reject();
}

TEST_F(ToolLibrary, ChoosingANumberShowsItsPictureCentredWithItsDetails)
{
    Open();
    Choose(0);
    EXPECT_EQ(dialog->ChosenTool(), 0);
    EXPECT_EQ(Selected(), "Turn.bmp");
    EXPECT_EQ(Shown(), Centred(67, 101));
    EXPECT_EQ(Details(), (QStringList{"Turning tool", "67", "101", "Lower left"}));

    // The picture's own pixels, unscaled.
    const QImage shown = dialog->imgTool->pixmap().toImage();
    EXPECT_EQ(shown.size(), QSize(67, 101));
    EXPECT_EQ(shown.pixel(0, 100), qRgb(10, 20, 30));

    // The second = ends the value; the last TOOLNAME wins, trimmed.
    Choose(4);
    EXPECT_EQ(Selected(), "groove.bmp");
    EXPECT_EQ(Shown(), Centred(30, 90));
    EXPECT_EQ(Details(), (QStringList{"Grooving tool", "30", "90", "Lower left"})); // no CUTTINGPOINT: kept
}

TEST_F(ToolLibrary, ANameInOtherLetterCaseFindsItsFile)
{
    Open();
    Choose(1); // "TURN.BMP"
    EXPECT_EQ(Selected(), "Turn.bmp");
    EXPECT_EQ(Details()[0], "Turning tool");
}

TEST_F(ToolLibrary, AnEmptyOrUnknownEntryChangesNothing)
{
    Open();
    Choose(5);
    const QRect bigShown = Shown();
    ASSERT_EQ(Selected(), "big.bmp");
    for (int n : {2, 3, 20}) { // empty, not in the folder, empty
        SCOPED_TRACE(n);
        Choose(n);
        EXPECT_EQ(dialog->ChosenTool(), n);
        EXPECT_EQ(Selected(), "big.bmp");
        EXPECT_EQ(Shown(), bigShown);
        EXPECT_EQ(Details(), (QStringList{"Big", "300", "200", "Far"}));
    }
}

TEST_F(ToolLibrary, ADescriptionWithoutAKeyKeepsTheLabelsText)
{
    Open();
    Choose(4); // groove: no CUTTINGPOINT, right after opening
    EXPECT_EQ(Details(), (QStringList{"Grooving tool", "30", "90", "Cutting Point:"}));
    Select("Turn.bmp");
    Select("groove.bmp");
    EXPECT_EQ(Details(), (QStringList{"Grooving tool", "30", "90", "Lower left"}));
}

TEST_F(ToolLibrary, APictureLargerThanTheBoxIsCutOffEquallyOnBothSides)
{
    Open();
    Select("big.bmp");
    const QRect r = Shown();
    const QSize inner = dialog->picToolInside->size();
    EXPECT_EQ(r, Centred(300, 200));
    EXPECT_LT(r.left(), 0);
    EXPECT_LT(r.top(), 0);
    EXPECT_LE(std::abs(-r.left() - (r.right() + 1 - inner.width())), 1);
    EXPECT_LE(std::abs(-r.top() - (r.bottom() + 1 - inner.height())), 1);
}

TEST_F(ToolLibrary, UnreadablePicturesAndMissingDescriptionsShowWhatThereIs)
{
    Open();
    Select("Turn.bmp");
    Select("bad.bmp"); // not a picture, but described
    EXPECT_EQ(Shown(), QRect());
    EXPECT_EQ(Details(), (QStringList{"Bad", "67", "101", "Lower left"}));
    Select("nodesc.bmp"); // a picture without a description
    EXPECT_EQ(Shown(), Centred(10, 10));
    EXPECT_EQ(Details(), (QStringList{"Bad", "67", "101", "Lower left"}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ToolLibrary, ABitmapShorterThanItsHeaderPromisesShowsNoPicture)
{
    const QByteArray bytes = ReadFileBytes(app.path() + "/tools/Turn.bmp", {});
    ASSERT_EQ(bytes.size(), 54 + 101 * 204);
    Put("tools/cut.bmp", bytes.left(200));
    Put("tools/short.bmp", bytes.left(bytes.size() - 1));
    Put("tools/whole.bmp", bytes);
    Open();
    for (const char* name : {"cut.bmp", "short.bmp"}) {
        Select("Turn.bmp");
        Select(name);
        EXPECT_EQ(Shown(), QRect()) << name;
    }
    Select("whole.bmp");
    EXPECT_EQ(Shown(), Centred(67, 101));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ToolLibrary, APictureThatBecameAPipeAfterTheListWasFilledDoesNotHoldTheWindow)
{
    Open();
    const QString path = app.path() + "/tools/nodesc.bmp";
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    // Whatever waits for a writer of the pipe is let go after a while, so the test ends.
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 60 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    });
    QElapsedTimer clock;
    clock.start();
    Select("nodesc.bmp");
    const qint64 took = clock.elapsed();
    done = true;
    writer.join();
    EXPECT_LT(took, 1500);
    EXPECT_EQ(Shown(), QRect());
}

TEST_F(ToolLibrary, ClickingAndArrowKeysChooseAsTheUserDoes)
{
    Open();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    QListWidget* list = dialog->FileList;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
    EXPECT_EQ(Selected(), "Turn.bmp");
    EXPECT_EQ(Details()[0], "Turning tool");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(Selected(), "nodesc.bmp");
    EXPECT_EQ(Shown(), Centred(10, 10));

    dialog->cmbTools->setFocus();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(dialog->cmbTools, Qt::Key_Down);
    EXPECT_EQ(dialog->ChosenTool(), 4);
    EXPECT_EQ(Selected(), "groove.bmp");
    dialog->reject();
}

TEST_F(ToolLibrary, TypingIntoTheNumberBoxChoosesNothingAndAddsNothing)
{
    Open();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    Choose(5);
    ASSERT_EQ(Selected(), "big.bmp");
    QLineEdit* edit = dialog->cmbTools->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "Tool 0");
    QTest::keyClick(edit, Qt::Key_Return);
    dialog->FileList->setFocus(); // the typing ends
    EXPECT_EQ(dialog->cmbTools->count(), 21);
    EXPECT_EQ(dialog->ChosenTool(), 5);
    EXPECT_EQ(dialog->cmbTools->currentText(), "Tool 5"); // back to the chosen item
    EXPECT_EQ(Selected(), "big.bmp");
    EXPECT_EQ(Details()[0], "Big");
    dialog->reject();
}

TEST_F(ToolLibrary, AssignThenCloseRewritesExactlyThatLine)
{
    Open();
    Choose(9);
    Select("groove.bmp");
    dialog->cmdAssign_Click();
    // The same picture on a second number, and nothing else on screen changes.
    const QStringList details = Details();
    Choose(12);
    dialog->cmdAssign_Click();
    EXPECT_EQ(Details(), details);
    EXPECT_EQ(ListFile(), ListText({{0, "Turn.bmp"}, {1, "TURN.BMP"}, {3, "missing.bmp"}, {4, "groove.bmp"}, {5, "big.bmp"},
                                    {6, "bad.bmp"}, {7, "nodesc.bmp"}})); // memory only until Close
    dialog->cmdClose_Click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ListFile(), ListText({{0, "Turn.bmp"}, {1, "TURN.BMP"}, {3, "missing.bmp"}, {4, "groove.bmp"}, {5, "big.bmp"},
                                    {6, "bad.bmp"}, {7, "nodesc.bmp"}, {9, "groove.bmp"}, {12, "groove.bmp"}}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ToolLibrary, AssignThenClosingAnotherWayLeavesTheFile)
{
    const QByteArray before = ListFile();
    Open();
    Choose(2);
    Select("big.bmp");
    dialog->cmdAssign_Click();
    EXPECT_EQ(state.ToolFiles[2], "big.bmp");
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    dialog->close(); // the close box
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(ListFile(), before);
    // The next opening reads the file again: the assignment is gone.
    dialog->Form_Load();
    EXPECT_EQ(state.ToolFiles[2], "");
}

TEST_F(ToolLibrary, EscClosesNothingWhereverTheFocusIs)
{
    Open();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    Choose(2);
    Select("big.bmp");
    dialog->cmdAssign_Click();
    for (QWidget* w : std::initializer_list<QWidget*>{dialog->cmbTools->lineEdit(), dialog->FileList, dialog->cmdAssign,
                                                      dialog->cmdClose, dialog.get()}) {
        SCOPED_TRACE(w->objectName().toStdString());
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected); // not yet left at all
    }
    EXPECT_EQ(state.ToolFiles[2], "big.bmp");
    EXPECT_EQ(Selected(), "big.bmp");
    dialog->cmdClose->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(ListFile().contains("\r\n2=big.bmp\r\n"));
}

TEST_F(ToolLibrary, AssignNeedsBothANumberAndAPicture)
{
    Open();
    const auto table = state.ToolFiles;
    Select("big.bmp");
    dialog->cmdAssign_Click(); // no number chosen
    EXPECT_EQ(state.ToolFiles, table);
    dialog->FileList->clearSelection();
    Choose(2);
    dialog->cmdAssign_Click(); // no picture selected
    EXPECT_EQ(state.ToolFiles, table);
}

TEST_F(ToolLibrary, CloseRewritesAMessyListIn21Lines)
{
    Put("tools/ToolList.ini", "\r\n4=groove.bmp\n0=Turn.bmp\r\n\r\n");
    Open();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(dialog->cmbTools->count(), 21); // every tool number, in order
    Choose(4);
    EXPECT_EQ(Selected(), "groove.bmp");
    dialog->cmdClose_Click();
    EXPECT_EQ(ListFile(), ListText({{0, "Turn.bmp"}, {4, "groove.bmp"}}));
}

TEST_F(ToolLibrary, ABadListIsReportedOncePerOpening)
{
    Put("tools/ToolList.ini", "0=Turn.bmp\r\nTurn.bmp\r\n25=big.bmp\r\n5=big.bmp\r\n");
    Open();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QDir::toNativeSeparators(app.path() + "/tools/ToolList.ini")));
    EXPECT_TRUE(boxes.shown[0].text.contains("line 2: \"Turn.bmp\""));
    EXPECT_EQ(state.ToolFiles[5], "big.bmp");
    Choose(5); // the item's position is still its tool number
    EXPECT_EQ(Selected(), "big.bmp");
    dialog->GetToolList(); // as the tool change does: no message of the window's own
    EXPECT_EQ(boxes.shown.size(), 1u);
    dialog->Form_Load();
    EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST_F(ToolLibrary, ALongBadLineIsQuotedByItsBeginning)
{
    const QByteArray line(500000, 'q');
    Put("tools/ToolList.ini", "0=Turn.bmp\r\n" + line + "\r\n");
    Open();
    ASSERT_EQ(boxes.shown.size(), 1u);
    const QString& text = boxes.shown[0].text;
    EXPECT_TRUE(text.contains("line 2: \"" + QString(100, u'q') + QChar(0x2026) + "\". Each line")) << text.left(300).toStdString();
    EXPECT_LT(text.size(), 600);
    EXPECT_EQ(state.ToolFiles[0], "Turn.bmp");
}

TEST_F(ToolLibrary, GetToolListLeavesOneItemPerLineHoweverOftenItRuns)
{
    Put("tools/ToolList.ini", "1=Turn.bmp\r\n\r\n2=big.bmp\r\n");
    Open();
    for (int i = 0; i < 3; ++i) {
        dialog->GetToolList();
        EXPECT_EQ(dialog->cmbTools->count(), 2);
        EXPECT_EQ(dialog->cmbTools->currentIndex(), -1);
    }
}

TEST_F(ToolLibrary, WithoutAToolsFolderItOpensEmptyAndCloseMakesIt)
{
    QTemporaryDir bare;
    platform::SetAppPathForTesting(bare.path());
    Open();
    EXPECT_EQ(dialog->FileList->count(), 0);
    EXPECT_EQ(dialog->cmbTools->count(), 21);
    ASSERT_EQ(boxes.shown.size(), 1u); // no list to read
    EXPECT_TRUE(boxes.shown[0].text.contains("ToolList.ini"));
    Choose(3);
    dialog->cmdAssign_Click();
    dialog->cmdClose_Click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    QFile written(bare.path() + "/tools/ToolList.ini");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), ListText({}));
}

TEST_F(ToolLibrary, AListThatCannotBeWrittenIsReportedAndTheWindowStays)
{
    Open();
    Choose(9);
    Select("Turn.bmp");
    dialog->cmdAssign_Click();
    // A folder where the file should be.
    const QString listPath = app.path() + "/tools/ToolList.ini";
    ASSERT_TRUE(QFile::remove(listPath));
    ASSERT_TRUE(QDir().mkpath(listPath));
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    dialog->cmdClose->click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QDir::toNativeSeparators(listPath)));
    EXPECT_EQ(boxes.shown[0].flags, platform::vbCritical);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(QFileInfo(listPath).isDir());

    // Once the way is clear, Close writes the kept assignment.
    ASSERT_TRUE(QDir(listPath).removeRecursively());
    dialog->cmdClose->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(ListFile().contains("\r\n9=Turn.bmp\r\n"));
}

TEST_F(ToolLibrary, NamesDifferingOnlyInCaseAreAllListedAndTheFirstIsChosen)
{
    Picture("TURN.bmp", 20, 20);
    Put("tools/TURN.ini", "TOOLNAME=Upper\r\n");
    Open();
    QStringList files;
    for (int i = 0; i < dialog->FileList->count(); ++i)
        files << dialog->FileList->item(i)->text();
    EXPECT_EQ(files, (QStringList{"bad.bmp", "big.bmp", "groove.bmp", "nodesc.bmp", "TURN.bmp", "Turn.bmp"}));
    Choose(0); // "Turn.bmp": the first entry equal in capitals
    EXPECT_EQ(Selected(), "TURN.bmp");
    EXPECT_EQ(Details()[0], "Upper");
}

TEST_F(ToolLibrary, NamesTheListCannotHoldAreNotOffered)
{
    for (const char* name : {"t\n2=big.bmp", "t\r3=big.bmp", "a=b.bmp", "sub\\x.bmp", "fr\u00e4s.bmp", " lead.bmp"})
        Picture(QString::fromUtf8(name), 8, 8);
    Open();
    QStringList files;
    for (int i = 0; i < dialog->FileList->count(); ++i)
        files << dialog->FileList->item(i)->text();
    EXPECT_EQ(files, (QStringList{" lead.bmp", "bad.bmp", "big.bmp", "fr\u00e4s.bmp", "groove.bmp", "nodesc.bmp", "Turn.bmp"}));

    // Every picture offered, each on a tool number of its own, is what the list gives back.
    for (int i = 0; i < dialog->FileList->count(); ++i) {
        Choose(10 + i);
        dialog->FileList->setCurrentRow(i);
        dialog->cmdAssign_Click();
    }
    const auto assigned = state.ToolFiles;
    dialog->cmdClose_Click();
    EXPECT_EQ(ListFile().count("\r\n"), 21);
    Open();
    EXPECT_EQ(state.ToolFiles, assigned);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ToolLibrary, EachNameIsReadInItsOwnCodeAndCloseKeepsItsBytes)
{
    Picture("fr\u00e4s.bmp", 12, 14);
    Put("tools/fr\u00e4s.ini", "TOOLNAME=Fr\xc3\xa4ser\r\n");
    // Tool 2 written by this program, tool 5 by an older one in the Windows code page.
    QByteArray list = ListText({{0, "Turn.bmp"}, {2, "fr\u00e4s.bmp"}});
    list.replace("5=\r\n", "5=dr\xe9h.bmp\r\n");
    Put("tools/ToolList.ini", list);
    Open();
    EXPECT_TRUE(boxes.shown.empty());
    Choose(2);
    EXPECT_EQ(Selected(), "fr\u00e4s.bmp");
    EXPECT_EQ(Details()[0], "Fr\u00e4ser");
    EXPECT_EQ(state.ToolFiles[5], "dr\u00e9h.bmp");
    dialog->cmdClose_Click();
    EXPECT_EQ(ListFile(), list); // nothing assigned: the same bytes

    // What is assigned is written in UTF-8; the rest keeps its bytes.
    Open();
    Choose(9);
    Select("big.bmp");
    dialog->cmdAssign_Click();
    Choose(2);
    Select("groove.bmp");
    dialog->cmdAssign_Click();
    dialog->cmdClose_Click();
    QByteArray expected = list;
    expected.replace("\r\n9=\r\n", "\r\n9=big.bmp\r\n").replace("\r\n2=fr\xc3\xa4s.bmp\r\n", "\r\n2=groove.bmp\r\n");
    EXPECT_EQ(ListFile(), expected);
}
