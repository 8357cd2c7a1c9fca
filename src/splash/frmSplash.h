#pragma once
// The splash window: the splash picture, faded in, until a click or Esc fades it out. Also
// the About box.

#include "splash/FadingWindow.h"

#include <QPixmap>

class frmSplash : public FadingWindow
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget* parent = nullptr);

    // The picture shown; null when the file beside the program is missing.
    const QPixmap& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};
