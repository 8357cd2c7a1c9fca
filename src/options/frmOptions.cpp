#include "options/frmOptions.h"

#include "platform/EventLoop.h"
#include "platform/SettingsStore.h"
#include "platform/VbNumbers.h"
#include "platform/gui/WinColor.h"
#include "platform/widgets/ColorDialog.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/RichTextBox.h"
#include "settings/GlobalVariables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The window in pixels: a client area of 6705 x 7110 twips, the picture band on the left.
constexpr int ClientWidth = 6705 / 15;
constexpr int ClientHeight = 7110 / 15;
constexpr int BandWidth = 132;
constexpr int BandHeight = 475;
constexpr int SwatchSize = 390 / 15;
constexpr int LargestStored = 32767; // what a 16-bit setting can hold

const QStringList FontNames{QStringLiteral("Arial"), QStringLiteral("Courier"), QStringLiteral("Courier New"),
                            QStringLiteral("Tahoma"), QStringLiteral("Times New Roman"), QStringLiteral("Vardana")};

QComboBox* pickList(QWidget* parent, const char* name, const QStringList& items = {})
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(false);
    const QSignalBlocker quiet(box);
    box->addItems(items);
    box->setCurrentIndex(-1); // no selection until the dialog fills it
    return box;
}

// The "Font" frame of a page: the font list above the size list, each with its label.
struct FontFrameNames
{
    const char *fontLabel, *fonts, *sizeLabel, *sizes;
};

QGroupBox* fontFrame(QWidget* page, const FontFrameNames& names, QComboBox*& fonts, QComboBox*& sizes,
                     QGridLayout*& grid)
{
    auto* frame = new QGroupBox(QStringLiteral("Font"), page);
    grid = new QGridLayout(frame);
    auto* fontLabel = new QLabel(QStringLiteral("Font:"), frame);
    fontLabel->setObjectName(QLatin1String(names.fontLabel));
    fonts = pickList(frame, names.fonts, FontNames);
    auto* sizeLabel = new QLabel(QStringLiteral("Size:"), frame);
    sizeLabel->setObjectName(QLatin1String(names.sizeLabel));
    sizes = pickList(frame, names.sizes);
    grid->addWidget(fontLabel, 0, 0);
    grid->addWidget(fonts, 0, 1);
    grid->addWidget(sizeLabel, 1, 0);
    grid->addWidget(sizes, 1, 1);
    grid->setColumnStretch(1, 1);
    return frame;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

// Selects the entry with this text. A text the list lacks (a font or size the dialog never
// offers, written into the store by hand) is added where it sorts, so the dialog shows what
// is stored and OK keeps it.
void selectText(QComboBox* box, const QString& text, bool numeric)
{
    int index = box->findText(text);
    if (index < 0) {
        index = 0;
        while (index < box->count()) {
            const QString other = box->itemText(index);
            const bool after = numeric ? vb::ParseNumber(other).value_or(0) > vb::ParseNumber(text).value_or(0)
                                       : QString::compare(other, text, Qt::CaseInsensitive) > 0;
            if (after)
                break;
            ++index;
        }
        const QSignalBlocker quiet(box);
        box->insertItem(index, text);
        box->setCurrentIndex(-1);
    }
    box->setCurrentIndex(index);
}

int flag(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}

QString decimal(qint32 value)
{
    return QString::number(value);
}

// A small turning tool: a shank with its insert, for the corner of the simulation sample.
QPixmap toolPicture()
{
    QPixmap pm(510 / 15, 765 / 15);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(150, 150, 160));
    p.drawRect(QRectF(9.5, 0.5, 15, 38));
    QPainterPath insert;
    insert.moveTo(9.5, 38.5);
    insert.lineTo(24.5, 38.5);
    insert.lineTo(12.5, 50.0);
    insert.closeSubpath();
    p.setBrush(QColor(210, 170, 40));
    p.drawPath(insert);
    return pm;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Swatch and picture box

ColourSwatch::ColourSwatch(QWidget* parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setFixedSize(SwatchSize, SwatchSize);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    SetBackColor(colour_);
}

void ColourSwatch::SetBackColor(qint32 rgb)
{
    colour_ = rgb;
    QPalette p = palette();
    p.setColor(QPalette::Window, platform::FromWinRgb(rgb));
    setPalette(p);
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

void ColourSwatch::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        // As on a button: pressed now, chosen when let go.
        if (!event->isAutoRepeat())
            spaceDown_ = true;
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            event->accept();
            if (!event->isAutoRepeat())
                emit Click();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void ColourSwatch::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space) {
        QLabel::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat() || !spaceDown_)
        return;
    spaceDown_ = false;
    emit Click();
}

void ColourSwatch::focusOutEvent(QFocusEvent* event)
{
    spaceDown_ = false; // a Space let go elsewhere chooses nothing here
    QLabel::focusOutEvent(event);
}

void ColourSwatch::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = contentsRect().adjusted(2, 2, -2, -2);
    focus.backgroundColor = platform::FromWinRgb(colour_);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
}

PictureBox::PictureBox(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

double PictureBox::ScaleHeight() const
{
    return contentsRect().height();
}

void PictureBox::SetBackColor(qint32 rgb)
{
    back_ = rgb;
    image_ = QImage(contentsRect().size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.fill(platform::ToPixel(rgb));
    update();
}

void PictureBox::FillBox(double x1, double y1, double x2, double y2, qint32 rgb)
{
    // Coordinates fall on whole pixels as the window system rounds them, halves to even.
    const auto whole = [](double v) { return int(vb::ToInt32(v).value_or(0)); };
    const QRect box = QRect(QPoint(whole(x1), whole(y1)), QPoint(whole(x2), whole(y2))).normalized();
    QPainter p(&image_);
    p.fillRect(box, platform::FromWinRgb(rgb));
    update();
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    SetBackColor(back_);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.drawImage(contentsRect().topLeft(), image_);
}

// ---------------------------------------------------------------------------------------
// The window

QPixmap frmOptions::BandPicture()
{
    QPixmap pm(BandWidth, BandHeight);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, BandHeight);
    sky.setColorAt(0.0, QColor(18, 36, 78));
    sky.setColorAt(1.0, QColor(72, 112, 168));
    p.fillRect(pm.rect(), sky);

    // Fine turning marks across the band.
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    for (int y = 6; y < BandHeight; y += 9)
        p.drawLine(QPointF(0, y), QPointF(BandWidth, y - 14));

    // A turned part standing on end: chuck jaws above, three diameters stepping down.
    const double cx = BandWidth / 2.0;
    p.setPen(QPen(QColor(20, 24, 30), 1));
    p.setBrush(QColor(90, 96, 108));
    p.drawRect(QRectF(cx - 46, 40, 92, 34));
    p.setBrush(QColor(60, 64, 72));
    p.drawRect(QRectF(cx - 54, 46, 12, 22));
    p.drawRect(QRectF(cx + 42, 46, 12, 22));
    QLinearGradient metal(cx - 34, 0, cx + 34, 0);
    metal.setColorAt(0.0, QColor(120, 128, 140));
    metal.setColorAt(0.45, QColor(235, 238, 242));
    metal.setColorAt(1.0, QColor(110, 116, 128));
    p.setBrush(metal);
    const struct { double halfWidth, top, bottom; } steps[] = {{34, 74, 190}, {24, 190, 280}, {15, 280, 340}};
    for (const auto& s : steps)
        p.drawRect(QRectF(cx - s.halfWidth, s.top, 2 * s.halfWidth, s.bottom - s.top));
    // The faces the edge effect colours.
    p.setPen(QPen(QColor(150, 150, 255), 2));
    p.drawLine(QPointF(cx - 34, 190), QPointF(cx + 34, 190));
    p.drawLine(QPointF(cx - 24, 280), QPointF(cx + 24, 280));
    return pm;
}

frmOptions::frmOptions(GlobalVariables& settings, platform::SettingsStore& store, platform::ColorDialog& com,
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
    picBand->setPixmap(BandPicture());
    picBand->setGeometry(0, 0, BandWidth, BandHeight);

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
    SSTab->setGeometry(BandWidth + 4, 4, ClientWidth - BandWidth - 8, ClientHeight - 8);
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
    for (const char* e : options::EditorColourEntries)
        entries << QLatin1String(e);
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
    for (const char* e : options::DebugColourEntries)
        entries << QLatin1String(e);
    cmbDebugColors = pickList(format, "cmbDebugColors", entries);
    lblDebugColor = new ColourSwatch(format);
    lblDebugColor->setObjectName(QStringLiteral("lblDebugColor"));
    formatRow->addWidget(cmbDebugColors, 1);
    formatRow->addWidget(lblDebugColor);

    auto* sample = new QGroupBox(QStringLiteral("Sample"), page);
    auto* sampleBox = new QVBoxLayout(sample);
    DebugSample = new FlexGrid(sample);
    DebugSample->setObjectName(QStringLiteral("DebugSample"));
    DebugSample->setColumnCount(3);
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

    auto* sample = new QGroupBox(QStringLiteral("Sample"), page);
    sample->setFixedHeight((360 + 2595) / 15 + 12);
    picSample = new PictureBox(sample);
    picSample->setObjectName(QStringLiteral("picSample"));
    picSample->setGeometry(225 / 15, 360 / 15, 3675 / 15, 2595 / 15);
    Image1 = new QLabel(sample);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(toolPicture());
    Image1->setGeometry(3015 / 15, 45 / 15, 510 / 15, 765 / 15);
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
    const GlobalVariables& g = settings_;
    Working.EditorCharColor = g.EditorCharColor;
    Working.EditorIntegerColor = g.EditorIntegerColor;
    Working.EditorCommentColor = g.EditorCommentColor;
    Working.EditorBackColor = g.EditorBackColor;
    Working.BreakPointColor = g.BreakPointColor;
    Working.BreakPointTextColor = g.BreakPointTextColor;
    Working.ExecutionPointColor = g.ExecutionPointColor;
    Working.ExecutionPointTextColor = g.ExecutionPointTextColor;
    Working.NormalTextColor = g.NormalTextColor;
    Working.NormalBackColor = g.NormalBackColor;
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
    richSample->SetSelFontSize(vb::ParseNumber(cmbEditorFontSize->currentText()).value_or(0));
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
    const QString app = AppName;
    const GlobalVariables& g = settings_;
    // A list can only be empty if it was never filled; the stored value then stays.
    const auto text = [](const QComboBox* list, const QString& current) {
        return list->currentText().isEmpty() ? current : list->currentText();
    };

    const QString editor = QStringLiteral("TextEditor");
    store_.SaveSetting(app, editor, QStringLiteral("Font"), text(cmbEditorFonts, g.EditorFontName));
    store_.SaveSetting(app, editor, QStringLiteral("Size"), text(cmbEditorFontSize, QString::number(g.EditorFontSize)));
    store_.SaveSetting(app, editor, QStringLiteral("Integer"), decimal(Working.EditorIntegerColor));
    store_.SaveSetting(app, editor, QStringLiteral("Character"), decimal(Working.EditorCharColor));
    store_.SaveSetting(app, editor, QStringLiteral("Background"), decimal(Working.EditorBackColor));
    store_.SaveSetting(app, editor, QStringLiteral("Comment"), decimal(Working.EditorCommentColor));
    store_.SaveSetting(app, editor, QStringLiteral("Bold"), decimal(flag(chkEditorFontBold)));

    const QString general = QStringLiteral("General");
    store_.SaveSetting(app, general, QStringLiteral("AutoComplete"), decimal(flag(chkAutoComplete)));
    store_.SaveSetting(app, general, QStringLiteral("SplashScreen"), decimal(flag(chkSplashScreen)));
    store_.SaveSetting(app, general, QStringLiteral("AutoReformat"), decimal(flag(chkAutoReformat)));
    store_.SaveSetting(app, general, QStringLiteral("OpenLastFile"), decimal(flag(chkOpenLastFile)));

    const QString debug = QStringLiteral("Debug");
    store_.SaveSetting(app, debug, QStringLiteral("Font"), text(cmbDebugFonts, g.DebugFontName));
    store_.SaveSetting(app, debug, QStringLiteral("Size"), text(cmbDebugFontSize, QString::number(g.DebugFontSize)));
    store_.SaveSetting(app, debug, QStringLiteral("BreakPointColor"), decimal(Working.BreakPointColor));
    store_.SaveSetting(app, debug, QStringLiteral("BreakPointTextColor"), decimal(Working.BreakPointTextColor));
    store_.SaveSetting(app, debug, QStringLiteral("ExecutionPointColor"), decimal(Working.ExecutionPointColor));
    store_.SaveSetting(app, debug, QStringLiteral("ExecutionPointTextColor"), decimal(Working.ExecutionPointTextColor));
    store_.SaveSetting(app, debug, QStringLiteral("NormalBackColor"), decimal(Working.NormalBackColor));
    store_.SaveSetting(app, debug, QStringLiteral("NormalTextColor"), decimal(Working.NormalTextColor));

    // Sizes are loaded as 16-bit values: a larger one would come back as its default.
    const auto stored = [](int twips) { return decimal(std::clamp(twips, 0, LargestStored)); };
    if (chkShowLineNumber->isChecked())
        store_.SaveSetting(app, debug, QStringLiteral("C0Width"), stored(SampleColWidth(0)));
    store_.SaveSetting(app, debug, QStringLiteral("C1Width"), stored(SampleColWidth(1)));
    store_.SaveSetting(app, debug, QStringLiteral("C2Width"), stored(SampleColWidth(2)));
    store_.SaveSetting(app, debug, QStringLiteral("Grid"), decimal(flag(chkShowGrid)));
    store_.SaveSetting(app, debug, QStringLiteral("LineNumbers"), decimal(flag(chkShowLineNumber)));
    store_.SaveSetting(app, debug, QStringLiteral("RowHeight"),
                       stored(std::max({SampleRowHeight(1), SampleRowHeight(2), SampleRowHeight(3)})));

    const QString sim = QStringLiteral("SimulationWindow");
    store_.SaveSetting(app, sim, QStringLiteral("WorkPieceColor"), decimal(lblWPColor->BackColor()));
    store_.SaveSetting(app, sim, QStringLiteral("BackColor"), decimal(lblBackColor->BackColor()));
    store_.SaveSetting(app, sim, QStringLiteral("EffectColor"), decimal(lblEffectColor->BackColor()));

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

// ---------------------------------------------------------------------------------------
// Editor page

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
    richSample->SetSelFontSize(vb::ParseNumber(cmbEditorFontSize->currentText()).value_or(0));
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
    selectText(cmbEditorFonts, QStringLiteral("Courier New"), false);
    selectText(cmbEditorFontSize, QStringLiteral("10"), true);
    chkEditorFontBold->setChecked(false);
    Working.EditorBackColor = 16777215;
    Working.EditorCharColor = 16711680;
    Working.EditorCommentColor = platform::WinRgb(0, 128, 0);
    Working.EditorIntegerColor = 0;
    for (QCheckBox* box : {chkAutoComplete, chkAutoReformat, chkOpenLastFile, chkSplashScreen})
        box->setChecked(true);
    UpdateEditorSample();
    // The swatch shows the chosen entry's colour as it now is.
    cmbEditorColours_Click();
}

void frmOptions::pickColour(ColourSwatch* swatch)
{
    com_.Color = swatch->BackColor();
    if (com_.ShowColor(this))
        swatch->SetBackColor(com_.Color);
}

// ---------------------------------------------------------------------------------------
// Simulation page

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
    lblWPColor->SetBackColor(16711680);
    lblBackColor->SetBackColor(16777215);
    lblEffectColor->SetBackColor(platform::WinRgb(150, 150, 255));
    DrawSimSample();
}

// ---------------------------------------------------------------------------------------
// Debug page

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
    return shown == colTwips_[col] / 15 * 15 ? colTwips_[col] : shown;
}

int frmOptions::SampleRowHeight(int row) const
{
    const int shown = DebugSample->RowHeightTwips(row);
    return shown == rowTwips_[row] / 15 * 15 ? rowTwips_[row] : shown;
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
    const double chosen = vb::ParseNumber(cmbDebugFontSize->currentText()).value_or(0);
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
    selectText(cmbDebugFonts, QStringLiteral("Courier New"), false);
    selectText(cmbDebugFontSize, QStringLiteral("10"), true);
    chkShowGrid->setChecked(true);
    chkShowLineNumber->setChecked(true);
    Working.BreakPointColor = platform::WinRgb(128, 0, 0);
    Working.BreakPointTextColor = 16777215;
    Working.ExecutionPointColor = 65535;
    Working.ExecutionPointTextColor = 0;
    Working.NormalTextColor = 0;
    Working.NormalBackColor = 16777215;
    if (cmbDebugColors->currentIndex() == 1)
        cmbDebugColors_Click(); // already chosen: the swatch still follows the new colour
    else
        cmbDebugColors->setCurrentIndex(1);
    UpdateDebugSample();
}
