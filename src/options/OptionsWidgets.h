#pragma once
// The Options dialog's own small widgets: the colour swatch and the sample picture.

#include <QFrame>
#include <QImage>
#include <QLabel>

// A label whose back colour is the value it edits; a click opens the colour dialog, and so
// do Space and Enter when it has the focus, as on a button.
class ColourSwatch : public QLabel
{
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    qint32 BackColor() const { return colour_; }
    void SetBackColor(qint32 rgb);
signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    qint32 colour_ = 0xFFFFFF;
    bool spaceDown_ = false;
};

// A bordered picture that keeps what is drawn on it; setting the back colour clears it.
class PictureBox : public QFrame
{
public:
    explicit PictureBox(QWidget* parent = nullptr);
    // The inner height in pixels.
    double ScaleHeight() const;
    qint32 BackColor() const { return back_; }
    void SetBackColor(qint32 rgb);
    // A filled box with both corners inside it.
    void FillBox(double x1, double y1, double x2, double y2, qint32 rgb);
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage image_;
    qint32 back_ = 0xFFFFFF;
};
