#pragma once
// The status bar: fixed-width panels, left to right, each with a key, a tooltip and a text,
// painted by the bar itself and read to assistive technology as one child per panel.

#include <QRegion>
#include <QString>
#include <QWidget>
#include <vector>

class QAccessibleInterface;

class PanelStatusBar : public QWidget
{
    Q_OBJECT

public:
    struct Panel
    {
        QString key;
        QString toolTip;
        int width = 0;
        QString text;
    };

    explicit PanelStatusBar(QWidget* parent = nullptr);
    ~PanelStatusBar() override;

    void AddPanel(const QString& key, const QString& toolTip, int width);
    int PanelCount() const { return int(panels_.size()); }
    const Panel& PanelAt(int index) const { return panels_[size_t(index)]; }

    // An unknown key is ignored (set) or reads as empty (get).
    void SetPanelText(const QString& key, const QString& text);
    QString PanelText(const QString& key) const;
    // Left and width of a panel in the bar's own pixels; an empty rectangle for an unknown key.
    QRect PanelRect(const QString& key) const;

    QSize sizeHint() const override;

    // Holds back the repainting of changed panels until as many releases as holds; then
    // those panels repaint, and only they.
    void HoldPainting();
    void ReleasePainting();

    // What assistive technology reads for a panel: its text as the name.
    QAccessibleInterface* PanelInterface(int index) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int indexOf(const QString& key) const;
    QRect rectAt(int index) const;
    std::vector<Panel> panels_;
    int paintHolds_ = 0;
    QRegion held_;
    mutable std::vector<unsigned> panelIds_; // registered accessible interfaces, made on demand
};
