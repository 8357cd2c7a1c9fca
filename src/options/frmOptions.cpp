// The Options dialog's frame: the band, the three pages and OK and Cancel; its opening,
// which fills every page from the settings block, and OK, which saves them all.
#include "options/frmOptions.h"

#include "options/OptionsControls.h"
#include "platform/EventLoop.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "platform/widgets/ColourDialog.h"
#include "platform/widgets/DrawnPictures.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/RichTextBox.h"
#include "settings/GlobalVariables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include <algorithm>

using options::button;
using options::decimal;
using options::flag;
using options::selectText;

namespace {

// The window in pixels: a client area of 6705 x 7110 twips, the picture band on the left.
constexpr int ClientWidth = platform::TwipsToPixelsTruncated(6705);
constexpr int ClientHeight = platform::TwipsToPixelsTruncated(7110);
constexpr int LargestStored = 32767; // what a 16-bit setting can hold

} // namespace

// ---------------------------------------------------------------------------------------
// The window

frmOptions::frmOptions(GlobalVariables& settings, platform::SettingsStore& store, platform::ColourDialog& com,
                       QString& tag, const ImageList& markers, QWidget* parent)
    : QDialog(parent), imglstDebug(markers), settings_(settings), store_(store), com_(com), tag_(tag)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFixedSize(ClientWidth, ClientHeight);
    setModal(true);

    picBand = new QLabel(this);
    picBand->setObjectName(QStringLiteral("picBand"));
    picBand->setPixmap(platform::OptionsBandPicture());
    picBand->setGeometry(0, 0, platform::OptionsBandWidth, platform::OptionsBandHeight);

    cmdEditorCancel = button(this, "cmdEditorCancel", QStringLiteral("&Cancel"));
    cmdOK = button(this, "cmdOK", QStringLiteral("&OK"));
    cmdEditorCancel->setGeometry(6, ClientHeight - 33, 58, 25);
    cmdOK->setGeometry(68, ClientHeight - 33, 58, 25);
    // Not before the dialog is filled: an OK then would save empty lists.
    cmdOK->setEnabled(false);
    connect(cmdEditorCancel, &QPushButton::clicked, this, &frmOptions::cmdEditorCancel_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);

    SSTab = new QTabWidget(this);
    SSTab->setObjectName(QStringLiteral("SSTab"));
    SSTab->setGeometry(platform::OptionsBandWidth + 4, 4, ClientWidth - platform::OptionsBandWidth - 8, ClientHeight - 8);
    SSTab->addTab(buildEditorPage(), QStringLiteral("Editor"));
    SSTab->addTab(buildDebugPage(), QStringLiteral("Debug"));
    SSTab->addTab(buildSimulationPage(), QStringLiteral("Simulation"));
    {
        const QSignalBlocker quiet(SSTab);
        SSTab->setCurrentIndex(0);
    }
    connect(SSTab, &QTabWidget::currentChanged, this, [this](int) { SSTab_Click(0); });

    // Tab walks each page as it reads: left to right, then down.
    const auto chain = [](std::initializer_list<QWidget*> controls) {
        for (auto it = controls.begin(); it + 1 != controls.end(); ++it)
            QWidget::setTabOrder(*it, *(it + 1));
    };
    chain({cmbEditorFonts, cmbEditorFontSize, chkEditorFontBold, cmbEditorColours, lblEditorColor, richSample,
           chkSplashScreen, chkOpenLastFile, chkAutoComplete, chkAutoReformat, cmdEditorDefault});
    chain({cmbDebugFonts, cmbDebugFontSize, cmbDebugColors, lblDebugColor, DebugSample, chkShowGrid, chkShowLineNumber,
           cmdDebugDefault});
    chain({lblWPColor, lblBackColor, lblEffectColor, cmdSimDefaults});
}

// ---------------------------------------------------------------------------------------
// Opening, OK and Cancel

void frmOptions::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!opened_) {
        opened_ = true;
        Form_Resize();
    }
}

void frmOptions::Form_Resize()
{
    LoadWorkingColors();
    platform::DoEvents();
    InitOptions();
    cmbEditorColours->setCurrentIndex(0);
    cmbDebugColors->setCurrentIndex(0);
    cmdOK->setEnabled(true);
}

void frmOptions::LoadWorkingColors()
{
    Working = options::WorkingColorsOf(settings_);
}

void frmOptions::InitOptions()
{
    const GlobalVariables& g = settings_;
    SSTab->setCurrentIndex(0);

    selectText(cmbEditorFonts, g.EditorFontName, false);
    selectText(cmbDebugFonts, g.DebugFontName, false);

    for (int size = options::SmallestSize; size <= options::LargestSize; ++size) {
        for (QComboBox* list : {cmbEditorFontSize, cmbDebugFontSize}) {
            const QSignalBlocker quiet(list);
            const int selected = list->currentIndex();
            list->addItem(QString::number(size));
            list->setCurrentIndex(selected); // adding selects nothing
        }
    }
    selectText(cmbEditorFontSize, QString::number(g.EditorFontSize), true);
    selectText(cmbDebugFontSize, QString::number(g.DebugFontSize), true);

    chkEditorFontBold->setChecked(g.EditorBold != 0);

    richSample->SetText(options::EditorSampleText());
    richSample->Select(0, richSample->TextLength());
    richSample->SetSelFontName(cmbEditorFonts->currentText());
    richSample->SetSelFontSize(platform::vb::ParseNumber(cmbEditorFontSize->currentText()).value_or(0));
    richSample->SetSelBold(chkEditorFontBold->isChecked());
    richSample->Select(0, 0);
    UpdateEditorSample();

    const char* numbers[] = {"001", "002", "003"};
    const char* texts[] = {"[BILLET X20 Z40", "G00 X20 Z00", "G01 X20 Z-20"};
    for (int row = 1; row <= 3; ++row) {
        DebugSample->SetTextMatrix(row, 0, QLatin1String(numbers[row - 1]));
        DebugSample->SetTextMatrix(row, 2, QLatin1String(texts[row - 1]));
    }

    setSampleColWidth(0, int(g.DebugC0Width) * flag(chkShowLineNumber));
    setSampleColWidth(1, g.DebugC1Width);
    setSampleColWidth(2, g.DebugC2Width);
    setSampleRowHeight(0, 75);
    for (int row = 1; row <= 3; ++row)
        setSampleRowHeight(row, g.DebugRowHeight);

    DebugSample->SetCellPicture(2, 1, imglstDebug.value(QStringLiteral("Break")));
    DebugSample->SetCellPicture(3, 1, imglstDebug.value(QStringLiteral("Step")));

    chkShowLineNumber->setChecked(g.DebugLineNumbers != 0);
    chkShowGrid->setChecked(g.DebugGrid != 0);
    chkAutoComplete->setChecked(g.AutoComplete != 0);
    chkAutoReformat->setChecked(g.AutoReformat != 0);
    chkOpenLastFile->setChecked(g.OpenLastFile != 0);
    chkSplashScreen->setChecked(g.SplashScreen != 0);

    lblWPColor->SetBackColor(g.WorkPieceColor);
    lblBackColor->SetBackColor(g.SimBackColor);
    lblEffectColor->SetBackColor(g.EffectColor);
}

void frmOptions::SSTab_Click(int /*PreviousTab*/)
{
    switch (SSTab->currentIndex()) {
    case 1:
        UpdateDebugSample();
        break;
    case 2:
        platform::DoEvents();
        DrawSimSample();
        break;
    default:
        break;
    }
}

void frmOptions::cmdOK_Click()
{
    if (!cmdOK->isEnabled())
        return;
    const GlobalVariables& g = settings_;
    // A list can only be empty if it was never filled; the stored value then stays.
    const auto text = [](const QComboBox* list, const QString& current) {
        return list->currentText().isEmpty() ? current : list->currentText();
    };

    // Sizes are loaded as 16-bit values: a larger one would come back as its default.
    const auto stored = [](int twips) { return decimal(std::clamp(twips, 0, LargestStored)); };

    QHash<const settings::keys::Setting*, QString> chosen{
        {&settings::keys::EditorFontName, text(cmbEditorFonts, g.EditorFontName)},
        {&settings::keys::EditorFontSize, text(cmbEditorFontSize, QString::number(g.EditorFontSize))},
        {&settings::keys::EditorBold, decimal(flag(chkEditorFontBold))},
        {&settings::keys::AutoComplete, decimal(flag(chkAutoComplete))},
        {&settings::keys::SplashScreen, decimal(flag(chkSplashScreen))},
        {&settings::keys::AutoReformat, decimal(flag(chkAutoReformat))},
        {&settings::keys::OpenLastFile, decimal(flag(chkOpenLastFile))},
        {&settings::keys::DebugFontName, text(cmbDebugFonts, g.DebugFontName)},
        {&settings::keys::DebugFontSize, text(cmbDebugFontSize, QString::number(g.DebugFontSize))},
        {&settings::keys::DebugC1Width, stored(SampleColWidth(1))},
        {&settings::keys::DebugC2Width, stored(SampleColWidth(2))},
        {&settings::keys::DebugGrid, decimal(flag(chkShowGrid))},
        {&settings::keys::DebugLineNumbers, decimal(flag(chkShowLineNumber))},
        {&settings::keys::DebugRowHeight, stored(std::max({SampleRowHeight(1), SampleRowHeight(2), SampleRowHeight(3)}))},
        {&settings::keys::WorkPieceColor, decimal(lblWPColor->BackColor())},
        {&settings::keys::SimBackColor, decimal(lblBackColor->BackColor())},
        {&settings::keys::EffectColor, decimal(lblEffectColor->BackColor())},
    };
    for (const std::span<const options::ColourEntry> entries : options::ColourLists)
        for (const options::ColourEntry& e : entries)
            if (e.working)
                chosen.insert(e.setting, decimal(Working.*e.working));
    // A hidden line-number column keeps its stored width.
    if (chkShowLineNumber->isChecked())
        chosen.insert(&settings::keys::DebugC0Width, stored(SampleColWidth(0)));

    for (const settings::keys::Setting* s : settings::keys::OptionsOkOrder)
        if (const auto it = chosen.constFind(s); it != chosen.cend())
            store_.SaveSetting(settings::AppName, s->Section(), s->Key(), *it);

    settings_.LoadSettings(store_);
    tag_ = QStringLiteral("OK");
    accept();
    platform::DoEvents();
}

void frmOptions::cmdEditorCancel_Click()
{
    QDialog::reject();
}

void frmOptions::reject()
{
    // The close box and Escape come here: nothing saved, the answer left empty.
    cmdEditorCancel_Click();
}

void frmOptions::pickColour(ColourSwatch* swatch)
{
    com_.Color = swatch->BackColor();
    if (com_.ShowColor(this))
        swatch->SetBackColor(com_.Color);
}
