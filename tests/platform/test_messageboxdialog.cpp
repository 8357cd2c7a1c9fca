#include "platform/widgets/MessageBoxDialog.h"

#include "platform/Hook.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTimer>

TEST(MessageBoxDialog, IsWideEnoughForItsWholeTitle)
{
    const platform::ScopedHook restored(platform::SetMsgBoxHandler, {});
    platform::InstallDialogMessageBoxes();
    const struct { QString text, title; } cases[] = {
        {"x", QString()}, // the application's title
        {"Billet Size Not Found", "A title far longer than the text it stands over, as some are"},
    };
    for (const auto& c : cases) {
        int width = 0;
        QString shownTitle;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                width = box->width();
                shownTitle = box->windowTitle();
                box->done(QMessageBox::Ok);
            }
        });
        poll.start(10);
        EXPECT_EQ(platform::MsgBox(c.text, platform::vbCritical, c.title), platform::vbOK);
        poll.stop();
        const QString title = c.title.isEmpty() ? platform::AppTitle : c.title;
        EXPECT_EQ(shownTitle, title);
        QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
        titleFont.setBold(true);
        // The title, the bar's icon and its three buttons.
        EXPECT_GE(width, QFontMetrics(titleFont).horizontalAdvance(title) + 3 * 24 + 24) << title.toStdString();
    }
}
