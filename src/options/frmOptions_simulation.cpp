// The Simulation page: the three colours of the simulation picture and its sample.
#include "options/frmOptions.h"

#include "options/OptionsControls.h"
#include "platform/EventLoop.h"
#include "platform/Twips.h"
#include "platform/widgets/DrawnPictures.h"
#include "settings/GlobalVariables.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using options::button;

QWidget* frmOptions::buildSimulationPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* window = new QGroupBox(QStringLiteral("Simulation Window"), page);
    auto* grid = new QGridLayout(window);
    const auto swatch = [&](int row, const char* labelName, const QString& caption, const char* name) {
        auto* label = new QLabel(caption, window);
        label->setObjectName(QLatin1String(labelName));
        auto* s = new ColourSwatch(window);
        s->setObjectName(QLatin1String(name));
        grid->addWidget(label, row, 0);
        grid->addWidget(s, row, 1);
        return s;
    };
    lblWPColor = swatch(0, "Label7", QStringLiteral("Workpiece Colour:"), "lblWPColor");
    lblBackColor = swatch(1, "Label8", QStringLiteral("Background Colour:"), "lblBackColor");
    lblEffectColor = swatch(2, "Label6", QStringLiteral("Effect Colour:"), "lblEffectColor");
    grid->setColumnStretch(2, 1);

    const auto px = platform::TwipsToPixelsTruncated;
    auto* sample = new QGroupBox(QStringLiteral("Sample"), page);
    sample->setFixedHeight(px(360 + 2595) + 12);
    picSample = new PictureBox(sample);
    picSample->setObjectName(QStringLiteral("picSample"));
    picSample->setGeometry(px(225), px(360), px(3675), px(2595));
    Image1 = new QLabel(sample);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(platform::OptionsToolPicture());
    Image1->setGeometry(px(3015), px(45), px(510), px(765));
    Image1->raise(); // its lower part lies over the sample's upper right corner

    cmdSimDefaults = button(page, "cmdSimDefaults", QStringLiteral("Simulation's Defaults"));

    layout->addWidget(window);
    layout->addWidget(sample);
    layout->addStretch(1);
    layout->addWidget(cmdSimDefaults, 0, Qt::AlignRight);

    connect(lblWPColor, &ColourSwatch::Click, this, &frmOptions::lblWPColor_Click);
    connect(lblBackColor, &ColourSwatch::Click, this, &frmOptions::lblBackColor_Click);
    connect(lblEffectColor, &ColourSwatch::Click, this, &frmOptions::lblEffectColor_Click);
    connect(cmdSimDefaults, &QPushButton::clicked, this, &frmOptions::cmdSimDefaults_Click);
    return page;
}

void frmOptions::DrawSimSample()
{
    picSample->SetBackColor(lblBackColor->BackColor());
    for (const options::SimBox& box : options::SimSampleBoxes(picSample->ScaleHeight()))
        picSample->FillBox(box.x1, box.y1, box.x2, box.y2,
                           box.part == options::SimBox::WorkPiece ? lblWPColor->BackColor() : lblEffectColor->BackColor());
}

void frmOptions::lblWPColor_Click()
{
    pickColour(lblWPColor);
    platform::DoEvents();
    DrawSimSample();
}

void frmOptions::lblBackColor_Click()
{
    pickColour(lblBackColor);
    platform::DoEvents();
    DrawSimSample();
}

void frmOptions::lblEffectColor_Click()
{
    pickColour(lblEffectColor);
    platform::DoEvents();
    DrawSimSample();
}

void frmOptions::cmdSimDefaults_Click()
{
    lblWPColor->SetBackColor(settings::keys::WorkPieceColor.DefaultColour());
    lblBackColor->SetBackColor(settings::keys::SimBackColor.DefaultColour());
    lblEffectColor->SetBackColor(settings::keys::EffectColor.DefaultColour());
    DrawSimSample();
}
