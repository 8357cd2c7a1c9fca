#include "toollibrary/widgets/frmToolSelect.h"

#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/gui/Picture.h"
#include "platform/widgets/DrawnPictures.h"
#include "shared/SharedState.h"
#include "toollibrary/ToolTable.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cmath>

namespace {

// Positions are laid out in twips; the window measures in pixels.
QRect twips(int left, int top, int width, int height)
{
    using platform::TwipsToPixelsTruncated;
    return QRect(TwipsToPixelsTruncated(left), TwipsToPixelsTruncated(top), TwipsToPixelsTruncated(width),
                 TwipsToPixelsTruncated(height));
}

const char* const CaptionTexts[4] = {"Name:", "Tool Width:", "Tool Height:", "Cutting Point:"};

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& at)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(at);
    return l;
}

} // namespace

frmToolSelect::frmToolSelect(SharedState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("frmToolSelect"));
    setWindowTitle(QStringLiteral("Tool Library"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Where these faces are missing, a sans serif of about their width keeps the texts
    // within their fixed boxes.
    QFont font(QStringLiteral("Tahoma"));
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSizeF(8.25);
    setFont(font);
    setFixedSize(platform::TwipsToPixelsTruncated(5880), platform::TwipsToPixelsTruncated(6270));
    QFont sansSerif(font);
    sansSerif.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});

    // The band across the top with the header picture on it.
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(twips(-30, -75, 6135, 945));
    Shape1->setStyleSheet(QStringLiteral("#Shape1 { background: white; border: 1px solid #808080; }"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twips(165, 45, 3600, 705));
    Image1->setPixmap(platform::ToolLibraryHeaderPicture());

    Label5 = label(this, "Label5", QStringLiteral("&Tool Number"), twips(135, 1065, 2085, 255));
    cmbTools = new QComboBox(this);
    cmbTools->setObjectName(QStringLiteral("cmbTools"));
    cmbTools->setGeometry(twips(135, 1380, 2625, 315));
    cmbTools->setFont(sansSerif);
    cmbTools->setEditable(true);
    cmbTools->setInsertPolicy(QComboBox::NoInsert);
    cmbTools->setCompleter(nullptr);
    cmbTools->setMaxVisibleItems(shared::ToolCount);
    // Only choosing an item has an effect: the box would otherwise take a typed item's text
    // as a choice when the typing ends.
    disconnect(cmbTools->lineEdit(), &QLineEdit::editingFinished, cmbTools, nullptr);
    connect(cmbTools->lineEdit(), &QLineEdit::editingFinished, this, &frmToolSelect::restoreToolText);
    connect(cmbTools, &QComboBox::activated, this, [this] { cmbTools_Click(); });
    Label5->setBuddy(cmbTools);

    Label6 = label(this, "Label6", QStringLiteral("Tool &List"), twips(135, 1860, 2085, 255));
    FileList = new QListWidget(this);
    FileList->setObjectName(QStringLiteral("FileList"));
    FileList->setGeometry(twips(135, 2160, 2550, 3600));
    FileList->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(FileList, &QListWidget::itemSelectionChanged, this, [this] {
        if (!FileList->selectedItems().isEmpty())
            FileList_Click();
    });
    Label6->setBuddy(FileList);

    Frame1 = new QGroupBox(QStringLiteral("Details"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twips(2880, 975, 2895, 4545));
    picTool = new QFrame(Frame1);
    picTool->setObjectName(QStringLiteral("picTool"));
    picTool->setGeometry(twips(210, 315, 2490, 2565));
    picTool->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picTool->setLineWidth(2);
    picTool->setFont(sansSerif);
    picToolInside = new QWidget(picTool);
    picToolInside->setObjectName(QStringLiteral("picToolInside"));
    picToolInside->setGeometry(picTool->contentsRect());
    imgTool = new QLabel(picToolInside);
    imgTool->setObjectName(QStringLiteral("imgTool"));
    imgTool->hide();

    const int captionTops[4] = {3120, 3405, 3705, 3990};
    const int valueTops[4] = {3120, 3420, 3720, 3990};
    const char* const captionNames[4] = {"Label1", "Label2", "Label3", "Label4"};
    const char* const valueNames[4] = {"lblName", "lblToolWidth", "lblToolHeight", "lblCuttingPoint"};
    QLabel** captions[4] = {&Label1, &Label2, &Label3, &Label4};
    QLabel** values[4] = {&lblName, &lblToolWidth, &lblToolHeight, &lblCuttingPoint};
    for (int i = 0; i < 4; ++i) {
        *captions[i] = label(Frame1, captionNames[i], QLatin1String(CaptionTexts[i]), twips(225, captionTops[i], 1020, 255));
        *values[i] = label(Frame1, valueNames[i], QLatin1String(CaptionTexts[i]), twips(1320, valueTops[i], 1485, 255));
        (*captions[i])->setTextFormat(Qt::PlainText);
        (*values[i])->setTextFormat(Qt::PlainText);
    }

    cmdAssign = new QPushButton(QStringLiteral("&Assign"), this);
    cmdAssign->setObjectName(QStringLiteral("cmdAssign"));
    cmdAssign->setGeometry(twips(3615, 5700, 990, 390));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setGeometry(twips(4755, 5685, 990, 390));
    for (QPushButton* b : {cmdAssign, cmdClose}) {
        b->setAutoDefault(false); // Enter in the lists presses nothing
        b->setDefault(false);
    }
    connect(cmdAssign, &QPushButton::clicked, this, &frmToolSelect::cmdAssign_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmToolSelect::cmdClose_Click);

    // The access keys of the two labels lead to the two lists.
    setTabOrder(cmbTools, FileList);
    setTabOrder(FileList, cmdAssign);
    setTabOrder(cmdAssign, cmdClose);
    Frame1->setFocusPolicy(Qt::NoFocus);
}

void frmToolSelect::GetToolList()
{
    cmbTools->clear();
    const toollibrary::tooltable::ToolListReading reading = toollibrary::tooltable::ReadToolList(toollibrary::tooltable::ToolListPath(), state_.ToolFiles, &namesAsRead_);
    cmbTools->addItems(reading.items);
    cmbTools->setCurrentIndex(-1); // as after emptying: no item chosen
    chosenTool_ = -1;
    listProblem_ = reading.error;
}

void frmToolSelect::Form_Load()
{
    // Every opening starts afresh, as a window loaded anew does.
    fileListPath_ = toollibrary::tooltable::ToolsFolder();
    FileList->clear();
    FileList->addItems(toollibrary::tooltable::ToolPictures(fileListPath_));
    FileList->setCurrentRow(-1);
    FileList->clearSelection();
    imgTool->clear();
    imgTool->hide();
    QLabel* const values[4] = {lblName, lblToolWidth, lblToolHeight, lblCuttingPoint};
    for (int i = 0; i < 4; ++i) {
        values[i]->setText(QLatin1String(CaptionTexts[i]));
        values[i]->setToolTip(QString());
    }

    // As at the first opening, whatever had the focus when the window last closed.
    cmbTools->setFocus();

    GetToolList();
    // The item's position is its tool number. A list file that is missing or whose lines are
    // not 0 to 20 in order would offer numbers that are not the tools they name, so the
    // window always offers the 21 tool numbers; ToolFiles holds what the file gave.
    QStringList numbers;
    for (int n = 0; n < shared::ToolCount; ++n)
        numbers << QStringLiteral("Tool ") + QString::number(n);
    QStringList items;
    for (int i = 0; i < cmbTools->count(); ++i)
        items << cmbTools->itemText(i);
    if (items != numbers) {
        cmbTools->clear();
        cmbTools->addItems(numbers);
        cmbTools->setCurrentIndex(-1);
    }
    if (!listProblem_.isEmpty())
        platform::MsgBox(listProblem_ +
                             QStringLiteral("\n\nClose writes the list anew from the tool numbers shown here; closing "
                                            "the window any other way leaves the file as it is."),
                         platform::vbInformation, QString());
}

void frmToolSelect::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmToolSelect::cmbTools_Click()
{
    const int n = cmbTools->currentIndex();
    chosenTool_ = n >= 0 && n < shared::ToolCount ? n : -1;
    if (chosenTool_ < 0)
        return;
    const QString name = state_.ToolFiles[size_t(chosenTool_)].toUpper();
    if (name.isEmpty())
        return;
    for (int i = 0; i < FileList->count(); ++i) {
        if (FileList->item(i)->text().toUpper() == name) {
            // Selecting a new entry shows it, as a click does; the same entry stays as it is.
            FileList->setCurrentRow(i);
            return;
        }
    }
}

void frmToolSelect::restoreToolText()
{
    const QString chosen = chosenTool_ >= 0 && chosenTool_ < cmbTools->count() ? cmbTools->itemText(chosenTool_) : QString();
    if (cmbTools->currentText() != chosen)
        cmbTools->setEditText(chosen);
}

void frmToolSelect::FileList_Click()
{
    const QList<QListWidgetItem*> selected = FileList->selectedItems();
    if (selected.isEmpty())
        return;
    ShowToolDetails(fileListPath_ + u'/' + selected.first()->text());
}

void frmToolSelect::ShowToolDetails(const QString& Path)
{
    const QImage picture = platform::ReadPicture(Path).image;
    if (picture.isNull()) {
        // Not a picture that can be read: nothing to show, rather than the previous tool.
        imgTool->clear();
        imgTool->hide();
    } else {
        imgTool->setPixmap(QPixmap::fromImage(picture));
        imgTool->resize(picture.size());
        // Centred; a picture larger than the box is cut off equally on both sides.
        const double left = picToolInside->width() / 2.0 - picture.width() / 2.0;
        const double top = picToolInside->height() / 2.0 - picture.height() / 2.0;
        imgTool->move(int(std::nearbyint(left)), int(std::nearbyint(top)));
        imgTool->show();
    }

    // A key the description lacks leaves its label as it was.
    const toollibrary::tooltable::ToolDescription description = toollibrary::tooltable::ReadToolDescription(toollibrary::tooltable::DescriptionPath(Path));
    const std::pair<const char*, QLabel*> keys[4] = {
        {"TOOLNAME", lblName}, {"TOOLWIDTH", lblToolWidth}, {"TOOLHEIGHT", lblToolHeight}, {"CUTTINGPOINT", lblCuttingPoint}};
    for (const auto& [key, value] : keys) {
        const auto it = description.keys.find(QLatin1String(key));
        if (it == description.keys.end())
            continue;
        value->setText(*it);
        value->setToolTip(*it); // the whole text where the label is too narrow
    }
}

void frmToolSelect::cmdAssign_Click()
{
    const QList<QListWidgetItem*> selected = FileList->selectedItems();
    if (chosenTool_ < 0 || selected.isEmpty())
        return; // a tool number and a picture are both needed
    state_.ToolFiles[size_t(chosenTool_)] = selected.first()->text();
}

void frmToolSelect::cmdClose_Click()
{
    const QString path = toollibrary::tooltable::ToolListPath();
    const QString why = toollibrary::tooltable::WriteToolList(path, state_.ToolFiles, &namesAsRead_);
    if (!why.isEmpty()) {
        // The old file is untouched; the assignments stay here to try again.
        platform::MsgBox(QStringLiteral("The tool list %1 could not be saved: %2.\n\nThe file is as it was. "
                                        "The assignments are kept in this window: close it with Close to try "
                                        "again, or in another way to give them up.")
                             .arg(QDir::toNativeSeparators(path), why),
                         platform::vbCritical, QString());
        return;
    }
    accept();
}
