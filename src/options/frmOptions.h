#pragma once
// The Options dialog: the editor's, the program grid's and the simulation picture's fonts,
// colours and options, each page with a live sample. Nothing reaches the settings store
// before OK; OK saves every value, reloads the settings block and answers "OK" in the
// caller's Tag. It is created anew for every opening and shown modally.

#include "options/OptionsSamples.h"
#include "options/OptionsWidgets.h"

#include <QDialog>
#include <QFont>
#include <QHash>
#include <QLabel>
#include <QPixmap>

class FlexGrid;
class GlobalVariables;
class RichTextBox;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QTabWidget;
namespace platform {
class ColourDialog;
class SettingsStore;
} // namespace platform

class frmOptions : public QDialog
{
    Q_OBJECT

public:
    // The picture list of the grid sample's marker column, keyed "Break" and "Step".
    using ImageList = QHash<QString, QPixmap>;

    frmOptions(GlobalVariables& settings, platform::SettingsStore& store, platform::ColourDialog& com,
               QString& tag, const ImageList& markers, QWidget* parent = nullptr);

    // --- Opening and closing ---
    void Form_Resize();
    void LoadWorkingColors();
    void InitOptions();
    void SSTab_Click(int PreviousTab);
    void cmdOK_Click();
    void cmdEditorCancel_Click();

    // --- Editor page ---
    void UpdateEditorSample();
    void chkEditorFontBold_Click();
    void cmbEditorFonts_Click();
    void cmbEditorFontSize_Click();
    void cmbEditorColours_Click();
    void lblEditorColor_Click();
    void cmdEditorDefault_Click();

    // --- Simulation page ---
    void DrawSimSample();
    void lblWPColor_Click();
    void lblBackColor_Click();
    void lblEffectColor_Click();
    void cmdSimDefaults_Click();

    // --- Debug page ---
    void UpdateDebugSample();
    void chkShowGrid_Click();
    void chkShowLineNumber_Click();
    void cmbDebugFonts_Click();
    void cmbDebugFontSize_Click();
    void cmbDebugColors_Click();
    void lblDebugColor_Click();
    void DebugSample_DblClick();
    void cmdDebugDefault_Click();

    WorkingColors Working;

    // The grid sample's column widths and row heights in twips, as OK saves them: as set,
    // unless the user dragged the border since.
    int SampleColWidth(int col) const;
    int SampleRowHeight(int row) const;
    // The font a cell of the grid sample was given.
    QFont SampleCellFont(int row, int col) const { return sampleFonts_[row][col]; }

    // --- Controls ---
    QLabel* picBand = nullptr;
    QPushButton* cmdEditorCancel = nullptr;
    QPushButton* cmdOK = nullptr;
    QTabWidget* SSTab = nullptr;

    QComboBox* cmbEditorFonts = nullptr;
    QComboBox* cmbEditorFontSize = nullptr;
    QCheckBox* chkEditorFontBold = nullptr;
    QComboBox* cmbEditorColours = nullptr;
    ColourSwatch* lblEditorColor = nullptr;
    RichTextBox* richSample = nullptr;
    QCheckBox* chkAutoComplete = nullptr;
    QCheckBox* chkAutoReformat = nullptr;
    QCheckBox* chkSplashScreen = nullptr;
    QCheckBox* chkOpenLastFile = nullptr;
    QPushButton* cmdEditorDefault = nullptr;

    QComboBox* cmbDebugFonts = nullptr;
    QComboBox* cmbDebugFontSize = nullptr;
    QComboBox* cmbDebugColors = nullptr;
    ColourSwatch* lblDebugColor = nullptr;
    FlexGrid* DebugSample = nullptr;
    QCheckBox* chkShowGrid = nullptr;
    QCheckBox* chkShowLineNumber = nullptr;
    QPushButton* cmdDebugDefault = nullptr;

    ColourSwatch* lblWPColor = nullptr;
    ColourSwatch* lblBackColor = nullptr;
    ColourSwatch* lblEffectColor = nullptr;
    PictureBox* picSample = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* cmdSimDefaults = nullptr;

    ImageList imglstDebug;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    QWidget* buildEditorPage();
    QWidget* buildDebugPage();
    QWidget* buildSimulationPage();
    // Opens the colour dialog on the swatch's colour; the swatch takes the choice, and keeps
    // its colour when the dialog is cancelled.
    void pickColour(ColourSwatch* swatch);
    // The grid sample's cell fonts and sizes in twips, as set and as dragged by the user.
    void setSampleCellFont(int row, int col, const QFont& font);
    void setSampleColWidth(int col, int twips);
    void setSampleRowHeight(int row, int twips);

    GlobalVariables& settings_;
    platform::SettingsStore& store_;
    platform::ColourDialog& com_;
    QString& tag_;
    bool opened_ = false;
    QFont sampleFonts_[4][3];
    int colTwips_[3] = {};
    int rowTwips_[4] = {};
};
