// The Debug page: the program grid's font, colours, lines and line numbers, and a small
// grid sample whose widths and heights OK saves as the user leaves them.
#include "options/frmOptions.h"

#include "options/OptionsControls.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "platform/widgets/FlexGrid.h"
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
using options::flag;
using options::fontFrame;
using options::pickList;
using options::selectText;

QWidget* frmOptions::buildDebugPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    QGridLayout* fontGrid = nullptr;
    QGroupBox* font = fontFrame(page, {"Label5", "cmbDebugFonts", "Label4", "cmbDebugFontSize"}, cmbDebugFonts,
                                cmbDebugFontSize, fontGrid);

    auto* format = new QGroupBox(QStringLiteral("Format"), page);
    auto* formatRow = new QHBoxLayout(format);
    QStringList entries;
    for (const options::ColourEntry& e : options::DebugColourEntries)
        entries << QLatin1String(e.text);
    cmbDebugColors = pickList(format, "cmbDebugColors", entries);
    lblDebugColor = new ColourSwatch(format);
    lblDebugColor->setObjectName(QStringLiteral("lblDebugColor"));
    formatRow->addWidget(cmbDebugColors, 1);
    formatRow->addWidget(lblDebugColor);

    auto* sample = new QGroupBox(QStringLiteral("Sample"), page);
    auto* sampleBox = new QVBoxLayout(sample);
    DebugSample = new FlexGrid(sample);
    DebugSample->setObjectName(QStringLiteral("DebugSample"));
    DebugSample->SetCols(3);
    DebugSample->SetRows(4);
    DebugSample->SetFixedRows(1);
    DebugSample->SetFixedCols(1);
    DebugSample->SetAllowUserResizing(true); // OK saves the widths and height as the user leaves them
    // Created without lines: the grid-lines box then decides alone, as on the program grid.
    DebugSample->SetGridLines(false);
    DebugSample->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DebugSample->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DebugSample->setTextElideMode(Qt::ElideNone); // a narrow column cuts its text, as the program grid does
    DebugSample->setTabKeyNavigation(false); // Tab moves on to the next control, not from cell to cell
    for (auto& row : sampleFonts_)
        for (QFont& f : row)
            f = DebugSample->font();
    sampleBox->addWidget(DebugSample);

    auto* others = new QGroupBox(QStringLiteral("Others"), page);
    auto* othersRow = new QHBoxLayout(others);
    chkShowGrid = checkBox(others, "chkShowGrid", QStringLiteral("Show &Grids"));
    chkShowLineNumber = checkBox(others, "chkShowLineNumber", QStringLiteral("&Show Line Numbers"));
    othersRow->addWidget(chkShowGrid);
    othersRow->addWidget(chkShowLineNumber);

    cmdDebugDefault = button(page, "cmdDebugDefault", QStringLiteral("Debug's Defaults"));

    layout->addWidget(font);
    layout->addWidget(format);
    layout->addWidget(sample, 1);
    layout->addWidget(others);
    layout->addWidget(cmdDebugDefault, 0, Qt::AlignRight);

    connect(chkShowGrid, &QCheckBox::toggled, this, &frmOptions::chkShowGrid_Click);
    connect(chkShowLineNumber, &QCheckBox::toggled, this, &frmOptions::chkShowLineNumber_Click);
    connect(cmbDebugFonts, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) cmbDebugFonts_Click(); });
    connect(cmbDebugFontSize, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) cmbDebugFontSize_Click(); });
    connect(cmbDebugColors, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) cmbDebugColors_Click(); });
    connect(lblDebugColor, &ColourSwatch::Click, this, &frmOptions::lblDebugColor_Click);
    connect(DebugSample, &FlexGrid::DblClick, this, &frmOptions::DebugSample_DblClick);
    connect(cmdDebugDefault, &QPushButton::clicked, this, &frmOptions::cmdDebugDefault_Click);
    return page;
}

void frmOptions::setSampleCellFont(int row, int col, const QFont& font)
{
    sampleFonts_[row][col] = font;
    DebugSample->SetCellFont(row, col, font.family(), font.pointSize(), font.bold());
}

void frmOptions::setSampleColWidth(int col, int twips)
{
    colTwips_[col] = twips;
    DebugSample->SetColWidthTwips(col, twips);
}

void frmOptions::setSampleRowHeight(int row, int twips)
{
    rowTwips_[row] = twips;
    DebugSample->SetRowHeightTwips(row, twips);
}

int frmOptions::SampleColWidth(int col) const
{
    const int shown = DebugSample->ColWidthTwips(col);
    return shown == platform::PixelsToTwips(platform::TwipsToPixelsTruncated(colTwips_[col])) ? colTwips_[col] : shown;
}

int frmOptions::SampleRowHeight(int row) const
{
    const int shown = DebugSample->RowHeightTwips(row);
    return shown == platform::PixelsToTwips(platform::TwipsToPixelsTruncated(rowTwips_[row])) ? rowTwips_[row] : shown;
}

void frmOptions::UpdateDebugSample()
{
    for (const options::SampleCell& c : options::DebugSampleCells(Working)) {
        if (c.back)
            DebugSample->SetCellBackColor(c.row, c.col, *c.back);
        if (c.text)
            DebugSample->SetCellForeColor(c.row, c.col, *c.text);
        if (c.bold) {
            QFont f = sampleFonts_[c.row][c.col];
            f.setBold(*c.bold);
            setSampleCellFont(c.row, c.col, f);
        }
    }
}

void frmOptions::chkShowGrid_Click()
{
    DebugSample->SetGridLines(chkShowGrid->isChecked());
}

void frmOptions::chkShowLineNumber_Click()
{
    setSampleColWidth(0, int(settings_.DebugC0Width) * flag(chkShowLineNumber));
}

void frmOptions::cmbDebugFonts_Click()
{
    for (int row = 1; row <= 3; ++row)
        for (int col = 0; col <= 2; ++col) {
            QFont f = sampleFonts_[row][col];
            f.setFamily(cmbDebugFonts->currentText());
            setSampleCellFont(row, col, f);
        }
}

void frmOptions::cmbDebugFontSize_Click()
{
    const double chosen = platform::vb::ParseNumber(cmbDebugFontSize->currentText()).value_or(0);
    for (int row = 1; row <= 3; ++row)
        for (int col = 0; col <= 2; ++col) {
            const double size = options::DebugSampleCellSize(chosen, col);
            if (size <= 0)
                continue; // no size the grid could show
            QFont f = sampleFonts_[row][col];
            f.setPointSizeF(size);
            setSampleCellFont(row, col, f);
        }
    DebugSample->viewport()->update();
}

void frmOptions::cmbDebugColors_Click()
{
    const QString entry = cmbDebugColors->currentText();
    if (const qint32* colour = options::DebugColourFor(Working, entry))
        lblDebugColor->SetBackColor(*colour);
    else if (entry == u"Effect Colour")
        lblDebugColor->SetBackColor(lblEffectColor->BackColor());
}

void frmOptions::lblDebugColor_Click()
{
    pickColour(lblDebugColor);
    const QString entry = cmbDebugColors->currentText();
    if (qint32* colour = options::DebugColourFor(Working, entry))
        *colour = lblDebugColor->BackColor();
    else if (entry == u"Effect Colour")
        lblEffectColor->SetBackColor(lblDebugColor->BackColor()); // the same colour as on the Simulation page
    UpdateDebugSample();
}

void frmOptions::DebugSample_DblClick()
{
    const int row = DebugSample->MouseRow();
    if (row < 0 || row >= 4)
        return; // below the rows: no height to copy
    const int h = SampleRowHeight(row);
    for (int r = 1; r <= 3; ++r)
        setSampleRowHeight(r, h);
}

void frmOptions::cmdDebugDefault_Click()
{
    selectText(cmbDebugFonts, settings::keys::DebugFontName.DefaultText(), false);
    selectText(cmbDebugFontSize, settings::keys::DebugFontSize.DefaultText(), true);
    chkShowGrid->setChecked(settings::keys::DebugGrid.DefaultInt16() != 0);
    chkShowLineNumber->setChecked(settings::keys::DebugLineNumbers.DefaultInt16() != 0);
    options::SetDefaultColours(Working, options::DebugColourEntries);
    if (cmbDebugColors->currentIndex() == 1)
        cmbDebugColors_Click(); // already chosen: the swatch still follows the new colour
    else
        cmbDebugColors->setCurrentIndex(1);
    UpdateDebugSample();
}
