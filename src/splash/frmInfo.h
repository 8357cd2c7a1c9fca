#pragma once
// The notice window: a machine function announced in a small fading window near the lower
// right corner of the screen, held for a time the interpreter chooses.

#include "splash/FadingWindow.h"

#include <QPoint>

class QLabel;
class QScreen;

// Where a notice window of `windowWidthTwips` goes on a screen of the given size: its right
// edge 100 twips in from the screen's, its top at four fifths of the screen height (twips).
QPoint NoticePositionTwips(int screenWidthTwips, int screenHeightTwips, int windowWidthTwips);

class frmInfo : public FadingWindow
{
    Q_OBJECT

public:
    explicit frmInfo(QWidget* parent = nullptr);

    void Form_Resize();
    void Timer4_Timer();
    void lblInfo_Click();

    // A modeless notice leaves the keyboard with the main window; a modal one takes it, so
    // that Esc reaches it.
    void SetTakesFocus(bool takesFocus);

    QLabel* lblInfo = nullptr;
    QTimer* Timer4 = nullptr; // the hold time

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool placed_ = false;
};
