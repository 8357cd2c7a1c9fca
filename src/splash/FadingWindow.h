#pragma once
// A borderless window with a rounded region that fades in on one fast timer and out on
// another, then closes itself; a click or Esc starts the fade-out. The splash and the notice
// window are both made of it.

#include <QDialog>
#include <QRegion>
#include <QtGlobal>

class QTimer;

class FadingWindow : public QDialog
{
    Q_OBJECT

public:
    explicit FadingWindow(QWidget* parent = nullptr);

    // The region both windows get: (0, 0)-(545, 355) with corners rounded by 20 x 20 ellipses.
    static QRegion RoundRegion();

    void Form_Load();
    void Form_Click();
    void Form_KeyUp(qint16 KeyCode, qint16 Shift);
    void Timer1_Timer();
    void Timer2_Timer();
    void SetWindowAlpha(qint32 Key, qint16 Alpha, quint8 Flags);

    qint16 Alpha = 0;     // the alpha to apply next
    qint32 ColourKey = 0;  // passed along, never set
    QTimer* Timer1 = nullptr; // fade-in step
    QTimer* Timer2 = nullptr; // fade-out step and closing

    // Closes the window for good, as the end of the fade-out does.
    void Unload();
    // True from then on: the window is gone for its users.
    bool IsUnloaded() const { return unloaded_; }

signals:
    void AlphaApplied(int alpha);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool unloaded_ = false;
};
