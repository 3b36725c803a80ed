// The cells, stored column by column, and how their changes reach the view.

#include <QTimer>
#include <algorithm>

#include "QtText.h"
#include "StringGridImpl.h"

TStringGridModel::TStringGridModel(TStringGrid* Grid) : QAbstractTableModel(Grid), FGrid(Grid) {
  Resize(5, 5);
}

const std::string& TStringGridModel::Cell(int32_t ACol, int32_t ARow) const {
  static const std::string Empty;
  if (ACol < 0 || ACol >= FColCount || ARow < 0 || ARow >= FRowCount) return Empty;
  return FCells[static_cast<size_t>(ACol)][static_cast<size_t>(ARow)];
}

void TStringGridModel::SetCell(int32_t ACol, int32_t ARow, const std::string& Value) {
  if (ACol < 0 || ACol >= FColCount || ARow < 0 || ARow >= FRowCount) return;
  FCells[static_cast<size_t>(ACol)][static_cast<size_t>(ARow)] = Value;
  NotifyLater();
}

void TStringGridModel::SetColCount(int32_t Value) {
  Value = std::max(Value, FFixedCols + 1);
  if (Value == FColCount) return;
  const int32_t OldModelCols = FColCount - FFixedCols;
  const int32_t NewModelCols = Value - FFixedCols;
  if (NewModelCols > OldModelCols) {
    beginInsertColumns(QModelIndex(), OldModelCols, NewModelCols - 1);
    Resize(Value, FRowCount);
    endInsertColumns();
  } else {
    beginRemoveColumns(QModelIndex(), NewModelCols, OldModelCols - 1);
    Resize(Value, FRowCount);
    endRemoveColumns();
  }
}

void TStringGridModel::SetRowCount(int32_t Value) {
  Value = std::max(Value, FFixedRows + 1);
  if (Value == FRowCount) return;
  const int32_t OldModelRows = FRowCount - FFixedRows;
  const int32_t NewModelRows = Value - FFixedRows;
  if (NewModelRows > OldModelRows) {
    beginInsertRows(QModelIndex(), OldModelRows, NewModelRows - 1);
    Resize(FColCount, Value);
    endInsertRows();
  } else {
    beginRemoveRows(QModelIndex(), NewModelRows, OldModelRows - 1);
    Resize(FColCount, Value);
    endRemoveRows();
  }
}

void TStringGridModel::SetFixed(int32_t Rows, int32_t Cols) {
  Rows = std::clamp(Rows, 0, 1);
  Cols = std::clamp(Cols, 0, 1);
  if (Rows == FFixedRows && Cols == FFixedCols) return;
  beginResetModel();
  FFixedRows = Rows;
  FFixedCols = Cols;
  Resize(std::max(FColCount, Cols + 1), std::max(FRowCount, Rows + 1));
  endResetModel();
}

int TStringGridModel::rowCount(const QModelIndex& Parent) const {
  return Parent.isValid() ? 0 : FRowCount - FFixedRows;
}

int TStringGridModel::columnCount(const QModelIndex& Parent) const {
  return Parent.isValid() ? 0 : FColCount - FFixedCols;
}

QVariant TStringGridModel::data(const QModelIndex& Index, int Role) const {
  if (!Index.isValid() || (Role != Qt::DisplayRole && Role != Qt::EditRole)) return QVariant();
  return ToQString(Cell(Index.column() + FFixedCols, Index.row() + FFixedRows));
}

bool TStringGridModel::setData(const QModelIndex& Index, const QVariant& Value, int Role) {
  if (!Index.isValid() || Role != Qt::EditRole) return false;
  FCells[static_cast<size_t>(Index.column() + FFixedCols)][static_cast<size_t>(Index.row() + FFixedRows)] =
      ToStdString(Value.toString());
  emit dataChanged(Index, Index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

QVariant TStringGridModel::headerData(int Section, Qt::Orientation Orientation, int Role) const {
  if (Role != Qt::DisplayRole || Section < 0) return QVariant();
  if (Orientation == Qt::Horizontal) {
    if (FFixedRows == 0 || Section >= FColCount - FFixedCols) return QVariant();
    return ToQString(Cell(Section + FFixedCols, 0));
  }
  if (FFixedCols == 0 || Section >= FRowCount - FFixedRows) return QVariant();
  return ToQString(Cell(0, Section + FFixedRows));
}

Qt::ItemFlags TStringGridModel::flags(const QModelIndex& Index) const {
  if (!Index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags Flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (FGrid->Options() & goEditing) Flags |= Qt::ItemIsEditable;
  return Flags;
}

void TStringGridModel::NotifyLater() {
  if (FNotifyPending) return;
  FNotifyPending = true;
  QTimer::singleShot(0, this, [this]() { NotifyNow(); });
}

void TStringGridModel::NotifyNow() {
  FNotifyPending = false;
  if (rowCount() > 0 && columnCount() > 0)
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
  if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
  if (rowCount() > 0) emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

void TStringGridModel::Resize(int32_t Cols, int32_t Rows) {
  FColCount = Cols;
  FRowCount = Rows;
  FCells.resize(static_cast<size_t>(Cols));
  for (std::vector<std::string>& Column : FCells) Column.resize(static_cast<size_t>(Rows));
}
