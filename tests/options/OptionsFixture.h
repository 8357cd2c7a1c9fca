#pragma once
// The Options dialog on a store in memory, shown without blocking, its colour dialog
// answered from a queue.

#include "TestSupport.h"

#include "options/frmOptions.h"
#include "platform/widgets/ColourDialog.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/RichTextBox.h"
#include "settings/GlobalVariables.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <deque>
#include <memory>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

class OptionsDialog : public ::testing::Test
{
protected:
    void TearDown() override { dialog.reset(); }

    // Settings present (no first run), so that a test can set single values beforehand.
    void Put(const QString& section, const QString& key, const QString& value)
    {
        if (!store.Has("TextEditor", "Font"))
            store.Put("TextEditor", "Font", "Courier New");
        store.Put(section, key, value);
    }

    // Loads the settings as the main window does, then opens the dialog.
    void Open()
    {
        settings.LoadSettings(store);
        store.writes.clear();
        dialog = std::make_unique<frmOptions>(settings, store, com, tag, Markers());
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    static frmOptions::ImageList Markers()
    {
        QPixmap red(14, 14), yellow(14, 14);
        red.fill(Qt::red);
        yellow.fill(Qt::yellow);
        return {{QStringLiteral("Break"), red}, {QStringLiteral("Step"), yellow}};
    }

    // Chooses a list entry as the user does.
    static void Choose(QComboBox* list, const QString& text)
    {
        const int i = list->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        list->setCurrentIndex(i);
    }

    static QStringList Items(const QComboBox* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    }

    // The rich sample's format at one position.
    qint32 SampleColour(int pos)
    {
        dialog->richSample->Select(pos, 1);
        const qint32 c = dialog->richSample->SelColor();
        dialog->richSample->Select(0, 0);
        return c;
    }

    FlexGrid& Sample() { return *dialog->DebugSample; }

    // The widget of the grid sample the mouse meets at a point of its viewport (a fixed pane
    // or the cells), and the point in it.
    std::pair<QWidget*, QPoint> SampleAt(QPoint p)
    {
        const QPoint inGrid = Sample().viewport()->geometry().topLeft() + p;
        QWidget* w = Sample().childAt(inGrid);
        return {w, w->mapFrom(&Sample(), inGrid)};
    }

    void DragSample(QPoint from, QPoint to)
    {
        auto [w, at] = SampleAt(from);
        QTest::mousePress(w, Qt::LeftButton, {}, at);
        QMouseEvent move(QEvent::MouseMove, QPointF(at + (to - from)), w->mapToGlobal(QPointF(at + (to - from))),
                         Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(w, &move);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at + (to - from));
    }

    RecordingStore store;
    GlobalVariables settings;
    platform::ColourDialog com;
    QString tag;
    std::unique_ptr<frmOptions> dialog;
    std::deque<std::optional<qint32>> answers; // nothing: cancelled
    std::vector<qint32> openedOn;

private:
    const platform::ScopedHook<platform::ColourDialogHandler> colourDialog_{platform::SetColourDialogHandler, [this](qint32 initial) {
        openedOn.push_back(initial);
        if (answers.empty())
            return std::optional<qint32>();
        const std::optional<qint32> a = answers.front();
        answers.pop_front();
        return a;
    }};
};
