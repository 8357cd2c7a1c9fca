#include "mainwindow/PanelStatusBar.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <qdrawutil.h>

namespace {
constexpr int Margin = 2;  // before the first panel
constexpr int Gap = 2;     // between panels
constexpr int Padding = 3; // text inside a panel
} // namespace

PanelStatusBar::PanelStatusBar(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PanelStatusBar::AddPanel(const QString& key, const QString& toolTip, int width)
{
    panels_.push_back({key, toolTip, width, QString()});
    update();
}

int PanelStatusBar::indexOf(const QString& key) const
{
    for (size_t i = 0; i < panels_.size(); ++i)
        if (panels_[i].key == key)
            return int(i);
    return -1;
}

QRect PanelStatusBar::rectAt(int index) const
{
    int left = Margin;
    for (int i = 0; i < index; ++i)
        left += panels_[size_t(i)].width + Gap;
    return QRect(left, 2, panels_[size_t(index)].width, height() - 3);
}

void PanelStatusBar::SetPanelText(const QString& key, const QString& text)
{
    const int i = indexOf(key);
    if (i < 0 || panels_[size_t(i)].text == text)
        return;
    panels_[size_t(i)].text = text;
    update(rectAt(i));
}

QString PanelStatusBar::PanelText(const QString& key) const
{
    const int i = indexOf(key);
    return i < 0 ? QString() : panels_[size_t(i)].text;
}

QRect PanelStatusBar::PanelRect(const QString& key) const
{
    const int i = indexOf(key);
    return i < 0 ? QRect() : rectAt(i);
}

QSize PanelStatusBar::sizeHint() const
{
    int w = Margin;
    for (const Panel& p : panels_)
        w += p.width + Gap;
    return {w, 25};
}

bool PanelStatusBar::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        for (int i = 0; i < PanelCount(); ++i) {
            if (rectAt(i).contains(help->pos()) && !panels_[size_t(i)].toolTip.isEmpty()) {
                QToolTip::showText(help->globalPos(), panels_[size_t(i)].toolTip, this, rectAt(i));
                return true;
            }
        }
        QToolTip::hideText();
        e->ignore();
        return true;
    }
    return QWidget::event(e);
}

void PanelStatusBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.window());
    p.setPen(pal.color(QPalette::Mid));
    p.drawLine(0, 0, width() - 1, 0);
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(0, 1, width() - 1, 1);
    for (int i = 0; i < PanelCount(); ++i) {
        const QRect r = rectAt(i);
        qDrawShadePanel(&p, r, pal, true, 1);
        const QString& text = panels_[size_t(i)].text;
        if (text.isEmpty())
            continue;
        const QRect textRect = r.adjusted(Padding, 1, -Padding, -1);
        // Too long a text is cut at the panel's edge, as the panels always did.
        p.save();
        p.setClipRect(textRect);
        p.setPen(pal.color(QPalette::WindowText));
        p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        p.restore();
    }
}
