#include "platform/widgets/FlexGridModel.h"

#include <QBrush>
#include <QColor>

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int FlexGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int FlexGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cols_;
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const
{
    const Cell* c = index.isValid() ? at(index.row(), index.column()) : nullptr;
    if (!c)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return c->text.isEmpty() ? QVariant() : QVariant(c->text);
    case Qt::BackgroundRole:
        return (c->flags & HasBack) ? QVariant(QBrush(QColor::fromRgb(c->back))) : QVariant();
    case Qt::ForegroundRole:
        return (c->flags & HasFore) ? QVariant(QBrush(QColor::fromRgb(c->fore))) : QVariant();
    case Qt::FontRole: {
        if (!c->font && !(c->flags & Bold))
            return {};
        // A font with only the weight set takes the rest from the grid's own font.
        QFont f = c->font ? fonts_[c->font - 1] : QFont();
        f.setBold(c->flags & Bold);
        return f;
    }
    case PictureRole:
        return c->picture ? QVariant(pictures_[c->picture - 1]) : QVariant();
    default:
        return {};
    }
}

void FlexGridModel::SetRows(int rows)
{
    rows = qMax(0, rows);
    if (rows == rows_)
        return;
    if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        cells_.resize(qsizetype(rows_) * cols_);
        endRemoveRows();
    } else {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        cells_.resize(qsizetype(rows_) * cols_);
        endInsertRows();
    }
    if (rows_ == 0) {
        // Nothing refers to the shared tables any more.
        fonts_.clear();
        pictures_.clear();
        fontSlots_.clear();
        pictureSlots_.clear();
    }
}

void FlexGridModel::SetCols(int cols)
{
    cols = qMax(0, cols);
    if (cols == cols_)
        return;
    QVector<Cell> cells(qsizetype(rows_) * cols);
    const int keep = qMin(cols, cols_);
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < keep; ++c)
            cells[qsizetype(r) * cols + c] = std::move(cells_[qsizetype(r) * cols_ + c]);
    if (cols < cols_) {
        beginRemoveColumns({}, cols, cols_ - 1);
        cols_ = cols;
        cells_ = std::move(cells);
        endRemoveColumns();
    } else {
        beginInsertColumns({}, cols_, cols - 1);
        cols_ = cols;
        cells_ = std::move(cells);
        endInsertColumns();
    }
}

const FlexGridModel::Cell* FlexGridModel::at(int row, int col) const
{
    if (row < 0 || col < 0 || row >= rows_ || col >= cols_)
        return nullptr;
    return &cells_[qsizetype(row) * cols_ + col];
}

FlexGridModel::Cell* FlexGridModel::at(int row, int col)
{
    return const_cast<Cell*>(std::as_const(*this).at(row, col));
}

void FlexGridModel::changed(int row, int col, const QList<int>& roles)
{
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i, roles);
}

QString FlexGridModel::Text(int row, int col) const
{
    const Cell* c = at(row, col);
    return c ? c->text : QString();
}

void FlexGridModel::SetText(int row, int col, const QString& text)
{
    if (Cell* c = at(row, col)) {
        c->text = text;
        changed(row, col, {Qt::DisplayRole});
    }
}

bool FlexGridModel::BackColor(int row, int col, QRgb* rgb) const
{
    const Cell* c = at(row, col);
    if (!c || !(c->flags & HasBack))
        return false;
    *rgb = c->back;
    return true;
}

bool FlexGridModel::ForeColor(int row, int col, QRgb* rgb) const
{
    const Cell* c = at(row, col);
    if (!c || !(c->flags & HasFore))
        return false;
    *rgb = c->fore;
    return true;
}

void FlexGridModel::SetBackColor(int row, int col, QRgb rgb)
{
    if (Cell* c = at(row, col)) {
        c->back = rgb;
        c->flags |= HasBack;
        changed(row, col, {Qt::BackgroundRole});
    }
}

void FlexGridModel::SetForeColor(int row, int col, QRgb rgb)
{
    if (Cell* c = at(row, col)) {
        c->fore = rgb;
        c->flags |= HasFore;
        changed(row, col, {Qt::ForegroundRole});
    }
}

void FlexGridModel::SetFont(int row, int col, const QString& name, int pointSize, bool bold)
{
    Cell* c = at(row, col);
    if (!c)
        return;
    QFont f(name);
    if (pointSize > 0)
        f.setPointSize(pointSize);
    c->font = fontIndex(f);
    c->flags = bold ? (c->flags | Bold) : (c->flags & ~Bold);
    changed(row, col, {Qt::FontRole});
}

bool FlexGridModel::FontBold(int row, int col) const
{
    const Cell* c = at(row, col);
    return c && (c->flags & Bold);
}

void FlexGridModel::SetFontBold(int row, int col, bool bold)
{
    if (Cell* c = at(row, col)) {
        c->flags = bold ? (c->flags | Bold) : (c->flags & ~Bold);
        changed(row, col, {Qt::FontRole});
    }
}

void FlexGridModel::SetPicture(int row, int col, const QPixmap& picture)
{
    if (Cell* c = at(row, col)) {
        c->picture = picture.isNull() ? 0 : pictureIndex(picture);
        changed(row, col, {PictureRole});
    }
}

QPixmap FlexGridModel::Picture(int row, int col) const
{
    const Cell* c = at(row, col);
    return c && c->picture ? pictures_[c->picture - 1] : QPixmap();
}

quint32 FlexGridModel::fontIndex(const QFont& font)
{
    if (const auto slot = fontSlots_.constFind(font); slot != fontSlots_.cend())
        return *slot;
    fonts_.append(font);
    return fontSlots_[font] = quint32(fonts_.size());
}

quint32 FlexGridModel::pictureIndex(const QPixmap& picture)
{
    if (const auto slot = pictureSlots_.constFind(picture.cacheKey()); slot != pictureSlots_.cend())
        return *slot;
    pictures_.append(picture);
    return pictureSlots_[picture.cacheKey()] = quint32(pictures_.size());
}
