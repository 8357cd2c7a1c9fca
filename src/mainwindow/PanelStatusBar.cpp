#include "mainwindow/PanelStatusBar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QPointer>
#include <QPainter>
#include <QToolTip>
#include <qdrawutil.h>
#include <utility>

namespace {
constexpr int Margin = 2;  // before the first panel
constexpr int Gap = 2;     // between panels
constexpr int Padding = 3; // text inside a panel

// A screen reader sees the bar as the platform's status bar: one child per panel whose
// name is the panel's text.
class PanelAccessible : public QAccessibleInterface
{
public:
    PanelAccessible(PanelStatusBar* bar, int index) : bar_(bar), index_(index) {}

    bool isValid() const override { return bar_ && index_ < bar_->PanelCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return bar_ ? bar_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(bar_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !bar_ || !bar_->isVisible();
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        const PanelStatusBar::Panel& p = bar_->PanelAt(index_);
        switch (t) {
        case QAccessible::Name:
        case QAccessible::Value: return p.text;
        case QAccessible::Description: return p.toolTip;
        default: return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = bar_->PanelRect(bar_->PanelAt(index_).key);
        return QRect(bar_->mapToGlobal(r.topLeft()), r.size());
    }

private:
    QPointer<PanelStatusBar> bar_;
    int index_;
};

class StatusBarAccessible : public QAccessibleWidget
{
public:
    explicit StatusBarAccessible(PanelStatusBar* bar) : QAccessibleWidget(bar, QAccessible::StatusBar) {}

    int childCount() const override { return bar()->PanelCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= bar()->PanelCount())
            return nullptr;
        return bar()->PanelInterface(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < bar()->PanelCount(); ++i)
            if (bar()->PanelInterface(i) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < bar()->PanelCount(); ++i)
            if (QAccessibleInterface* c = bar()->PanelInterface(i); c->rect().contains(x, y))
                return c;
        return nullptr;
    }

private:
    PanelStatusBar* bar() const { return static_cast<PanelStatusBar*>(widget()); }
};

QAccessibleInterface* statusBarFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("PanelStatusBar") && object && object->isWidgetType())
        return new StatusBarAccessible(static_cast<PanelStatusBar*>(object));
    return nullptr;
}

} // namespace

PanelStatusBar::PanelStatusBar(QWidget* parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(statusBarFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

PanelStatusBar::~PanelStatusBar()
{
    for (QAccessible::Id id : panelIds_)
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* PanelStatusBar::PanelInterface(int index) const
{
    while (int(panelIds_.size()) <= index) {
        auto* iface = new PanelAccessible(const_cast<PanelStatusBar*>(this), int(panelIds_.size()));
        panelIds_.push_back(QAccessible::registerAccessibleInterface(iface));
    }
    return QAccessible::accessibleInterface(panelIds_[size_t(index)]);
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
    if (paintHolds_ > 0)
        held_ += rectAt(i);
    else
        update(rectAt(i));
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(PanelInterface(i), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

void PanelStatusBar::HoldPainting()
{
    ++paintHolds_;
}

void PanelStatusBar::ReleasePainting()
{
    if (paintHolds_ == 0 || --paintHolds_ > 0)
        return;
    update(std::exchange(held_, QRegion()));
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
