#pragma once
// picSim: shows the simulation back buffer one to one. It keeps its own copy of the
// buffer so that a refresh repaints only the part that changed.

#include <QColor>
#include <QFrame>
#include <QImage>
#include <functional>

class SimPicture : public QFrame
{
public:
    explicit SimPicture(QWidget* parent = nullptr);

    // Copies the `dirty` part of `buffer` into the picture and repaints only that part; a
    // buffer of another size replaces the whole picture.
    void Show(const QImage& buffer, const QRect& dirty);

    // What the picture shows, in buffer pixels.
    const QImage& Image() const { return image_; }
    // The area left of and below a smaller buffer.
    void SetBackColor(const QColor& color);
    QColor BackColor() const { return back_; }

    // picSim_Paint: runs at every repaint before the picture is drawn; a Show from inside
    // it updates the copy, and what lies outside the painted area is repainted next.
    std::function<void()> onPaint;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    QColor back_ = Qt::white;
    bool painting_ = false;
    QRect changedInPaint_;
};
