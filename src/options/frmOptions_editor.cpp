// The Editor page: the editor's font, its four colours with their rich-text sample, and the
// general options.
#include "options/frmOptions.h"

#include "options/OptionsControls.h"
#include "platform/EventLoop.h"
#include "platform/VbNumbers.h"
#include "platform/widgets/RichTextBox.h"
#include "settings/GlobalVariables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using options::button;
using options::checkBox;
using options::fontFrame;
using options::pickList;
using options::selectText;

QWidget* frmOptions::buildEditorPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    QGridLayout* fontGrid = nullptr;
    QGroupBox* font = fontFrame(page, {"Label1", "cmbEditorFonts", "Label2", "cmbEditorFontSize"}, cmbEditorFonts,
                                cmbEditorFontSize, fontGrid);
    chkEditorFontBold = checkBox(font, "chkEditorFontBold", QStringLiteral("Bold"));
    fontGrid->addWidget(chkEditorFontBold, 1, 2);

    auto* colours = new QGroupBox(QStringLiteral("Coding Colours"), page);
    auto* colourRow = new QHBoxLayout(colours);
    QStringList entries;
    for (const options::ColourEntry& e : options::EditorColourEntries)
        entries << QLatin1String(e.text);
    cmbEditorColours = pickList(colours, "cmbEditorColours", entries);
    lblEditorColor = new ColourSwatch(colours);
    lblEditorColor->setObjectName(QStringLiteral("lblEditorColor"));
    colourRow->addWidget(cmbEditorColours, 1);
    colourRow->addWidget(lblEditorColor);

    auto* sample = new QGroupBox(QStringLiteral("Sample"), page);
    auto* sampleBox = new QVBoxLayout(sample);
    richSample = new RichTextBox(sample);
    richSample->setObjectName(QStringLiteral("richSample"));
    richSample->SetLocked(true); // a typed sample would no longer match its coloured ranges
    richSample->setLineWrapMode(QTextEdit::NoWrap);
    sampleBox->addWidget(richSample);

    auto* others = new QGroupBox(QStringLiteral("Others"), page);
    auto* othersGrid = new QGridLayout(others);
    chkAutoComplete = checkBox(others, "chkAutoComplete", QStringLiteral("&Auto Complete"));
    chkAutoReformat = checkBox(others, "chkAutoReformat", QStringLiteral("Auto Reformat"));
    chkSplashScreen = checkBox(others, "chkSplashScreen", QStringLiteral("Show Splash Screen"));
    chkOpenLastFile = checkBox(others, "chkOpenLastFile", QStringLiteral("Open Last File On Startup "));
    othersGrid->addWidget(chkSplashScreen, 0, 0);
    othersGrid->addWidget(chkOpenLastFile, 1, 0);
    othersGrid->addWidget(chkAutoComplete, 2, 0);
    othersGrid->addWidget(chkAutoReformat, 3, 0);

    cmdEditorDefault = button(page, "cmdEditorDefault", QStringLiteral("&Editor's Defaults"));
    cmdEditorDefault->setToolTip(QStringLiteral("Click here to Restore Default Values"));

    layout->addWidget(font);
    layout->addWidget(colours);
    layout->addWidget(sample, 1);
    layout->addWidget(others);
    layout->addWidget(cmdEditorDefault, 0, Qt::AlignRight);

    connect(chkEditorFontBold, &QCheckBox::toggled, this, &frmOptions::chkEditorFontBold_Click);
    connect(cmbEditorFonts, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) cmbEditorFonts_Click(); });
    connect(cmbEditorFontSize, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) cmbEditorFontSize_Click(); });
    connect(cmbEditorColours, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) cmbEditorColours_Click(); });
    connect(lblEditorColor, &ColourSwatch::Click, this, &frmOptions::lblEditorColor_Click);
    connect(cmdEditorDefault, &QPushButton::clicked, this, &frmOptions::cmdEditorDefault_Click);
    return page;
}

void frmOptions::UpdateEditorSample()
{
    richSample->SetBackColor(Working.EditorBackColor);
    for (const options::ColourRange& r : options::EditorSampleRanges(Working)) {
        richSample->Select(r.start, r.length);
        richSample->SetSelColor(r.colour);
    }
    richSample->Select(0, 0);
}

void frmOptions::chkEditorFontBold_Click()
{
    richSample->Select(0, richSample->TextLength());
    richSample->SetSelBold(chkEditorFontBold->isChecked());
    richSample->Select(0, 0);
    platform::DoEvents();
}

void frmOptions::cmbEditorFonts_Click()
{
    richSample->Select(0, richSample->TextLength());
    richSample->SetSelFontName(cmbEditorFonts->currentText());
    richSample->Select(0, 0);
    platform::DoEvents();
}

void frmOptions::cmbEditorFontSize_Click()
{
    richSample->Select(0, richSample->TextLength());
    richSample->SetSelFontSize(platform::vb::ParseNumber(cmbEditorFontSize->currentText()).value_or(0));
    richSample->Select(0, 0);
    platform::DoEvents();
}

void frmOptions::cmbEditorColours_Click()
{
    if (const qint32* colour = options::EditorColourFor(Working, cmbEditorColours->currentText()))
        lblEditorColor->SetBackColor(*colour);
}

void frmOptions::lblEditorColor_Click()
{
    pickColour(lblEditorColor);
    if (qint32* colour = options::EditorColourFor(Working, cmbEditorColours->currentText()))
        *colour = lblEditorColor->BackColor();
    UpdateEditorSample();
}

void frmOptions::cmdEditorDefault_Click()
{
    selectText(cmbEditorFonts, settings::keys::EditorFontName.DefaultText(), false);
    selectText(cmbEditorFontSize, settings::keys::EditorFontSize.DefaultText(), true);
    chkEditorFontBold->setChecked(settings::keys::EditorBold.DefaultInt16() != 0);
    options::SetDefaultColours(Working, options::EditorColourEntries);
    const std::pair<QCheckBox*, const settings::keys::Setting*> general[] = {
        {chkAutoComplete, &settings::keys::AutoComplete},
        {chkAutoReformat, &settings::keys::AutoReformat},
        {chkOpenLastFile, &settings::keys::OpenLastFile},
        {chkSplashScreen, &settings::keys::SplashScreen},
    };
    for (const auto& [box, setting] : general)
        box->setChecked(setting->DefaultInt16() != 0);
    UpdateEditorSample();
    // The swatch shows the chosen entry's colour as it now is.
    cmbEditorColours_Click();
}
