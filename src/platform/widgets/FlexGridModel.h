#pragma once
// The cells behind a FlexGrid: text, colours, font, bold and picture by (row, column), held
// compactly so that a grid of a hundred thousand program lines stays cheap. Fonts and
// pictures are shared through small tables, a cell keeps only their index.

#include <QAbstractTableModel>
#include <QFont>
#include <QHash>
#include <QPixmap>
#include <QRgb>
#include <QVector>

class FlexGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The cell's centred picture.
    static constexpr int PictureRole = Qt::UserRole + 1;

    explicit FlexGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Keeps the cells of the rows and columns that stay; new ones are empty.
    void SetRows(int rows);
    void SetCols(int cols);

    // Out-of-range cells read as empty and ignore writes.
    QString Text(int row, int col) const;
    void SetText(int row, int col, const QString& text);
    // Colours as QRgb; a cell without a colour of its own reads as none (false).
    bool BackColor(int row, int col, QRgb* rgb) const;
    bool ForeColor(int row, int col, QRgb* rgb) const;
    void SetBackColor(int row, int col, QRgb rgb);
    void SetForeColor(int row, int col, QRgb rgb);
    void SetFont(int row, int col, const QString& name, int pointSize, bool bold);
    bool FontBold(int row, int col) const;
    void SetFontBold(int row, int col, bool bold);
    void SetPicture(int row, int col, const QPixmap& picture);
    QPixmap Picture(int row, int col) const;

private:
    struct Cell
    {
        QString text;
        QRgb back = 0;
        QRgb fore = 0;
        // Packed into the room the colours leave, the indices wide enough that a table would
        // run out of memory long before it ran out of indices.
        quint64 font : 30 = 0;    // 1-based index into fonts_, 0 for the grid's own font
        quint64 picture : 30 = 0; // 1-based index into pictures_, 0 for none
        quint64 flags : 4 = 0;
    };
    enum : quint8 { HasBack = 1, HasFore = 2, Bold = 4 };
    static_assert(sizeof(Cell) == sizeof(QString) + 2 * sizeof(QRgb) + sizeof(quint64));

    const Cell* at(int row, int col) const;
    Cell* at(int row, int col);
    void changed(int row, int col, const QList<int>& roles);
    quint32 fontIndex(const QFont& font);
    quint32 pictureIndex(const QPixmap& picture);

    int rows_ = 0;
    int cols_ = 0;
    QVector<Cell> cells_; // row-major, rows_ * cols_
    QVector<QFont> fonts_;
    QVector<QPixmap> pictures_;
    // Where each entry is, so that a grid setting many cells does not search the tables.
    QHash<QFont, quint32> fontSlots_;
    QHash<qint64, quint32> pictureSlots_; // by cache key

};
