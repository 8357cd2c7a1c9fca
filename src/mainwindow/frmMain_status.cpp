// The status bar: its nine panels, and the progress bar and speed slider laid over two of them.
#include "mainwindow/frmMain.h"

#include "mainwindow/PanelStatusBar.h"

#include <QProgressBar>
#include <QSlider>

void frmMain::buildStatusBar()
{
    StatusBar = new PanelStatusBar(Client);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->AddPanel(QStringLiteral("FileName"), QStringLiteral("Current File Name"), 96);
    StatusBar->AddPanel(QStringLiteral("FeedRate"), QStringLiteral("FeedRate"), 96);
    StatusBar->AddPanel(QStringLiteral("Dim"), QStringLiteral("Measurment Unit"), 30);
    StatusBar->AddPanel(QStringLiteral("SpindleSpeed"), QStringLiteral("Spindle Speed"), 70);
    StatusBar->AddPanel(QStringLiteral("SpindleDirection"), QStringLiteral("Spindle Direction"), 40);
    StatusBar->AddPanel(QStringLiteral("Coolant"), QStringLiteral("Coolant"), 106);
    StatusBar->AddPanel(QStringLiteral("ProgressBar"), QStringLiteral("Program Progress"), 96);
    StatusBar->AddPanel(QStringLiteral("Slider"), QStringLiteral("Simulation Speed"), 96);
    StatusBar->AddPanel(QStringLiteral("ToolPosition"), QStringLiteral("Tool Position"), 150);

    // Children of the window, not of the bar: they are fitted over their panels at repaint.
    ProgressBar = new QProgressBar(Client);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setToolTip(QStringLiteral("Program Progress"));

    Slider = new QSlider(Qt::Horizontal, Client);
    Slider->setObjectName(QStringLiteral("Slider"));
    Slider->setRange(-10, 10);
    Slider->setSingleStep(1);
    Slider->setPageStep(5);
    Slider->setValue(0);
    Slider->setToolTip(QStringLiteral("Simulation Speed"));
    // A click gives it the keyboard: arrows step by 1, page keys by 5.
    Slider->setFocusPolicy(Qt::ClickFocus);
}

void frmMain::SetPanelText(const QString& key, const QString& text)
{
    StatusBar->SetPanelText(key, text);
}

QString frmMain::PanelText(const QString& key) const
{
    return StatusBar->PanelText(key);
}

int frmMain::SliderValue() const
{
    return Slider->value();
}
