#pragma once
// The string grid's own parts, for the grid's sources only. The grid creates
// its model, its two headers (the fixed row and column) and its delegate, and
// reaches into each of them for cells, sizes and the open editor, while their
// work is spread over the sources by concern (cells, sizes, input, editing,
// drawing); so each source needs the classes whole. Nothing else includes this.

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPointer>
#include <QStyledItemDelegate>
#include <cstdint>
#include <string>
#include <vector>

#include "MaskEdit.h"
#include "StringGrid.h"

// ---------------------------------------------------------------- model

// The cells, column by column. The model's rows and columns are the grid's
// non-fixed ones; the fixed row and column are shown by the headers.
class TStringGridModel : public QAbstractTableModel {
 public:
  explicit TStringGridModel(TStringGrid* Grid);

  int32_t ColCount() const { return FColCount; }
  int32_t RowCount() const { return FRowCount; }
  int32_t FixedRows() const { return FFixedRows; }
  int32_t FixedCols() const { return FFixedCols; }

  const std::string& Cell(int32_t ACol, int32_t ARow) const;
  void SetCell(int32_t ACol, int32_t ARow, const std::string& Value);
  void SetColCount(int32_t Value);
  void SetRowCount(int32_t Value);
  void SetFixed(int32_t Rows, int32_t Cols);

  int rowCount(const QModelIndex& Parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& Parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& Index, int Role) const override;
  bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override;
  QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override;
  Qt::ItemFlags flags(const QModelIndex& Index) const override;

  // Every write is told to the view once, when the program returns to the event
  // loop: a fill of a million cells costs one repaint, not a million signals.
  void NotifyLater();
  void NotifyNow();

 private:
  void Resize(int32_t Cols, int32_t Rows);

  TStringGrid* FGrid;
  std::vector<std::vector<std::string>> FCells;
  int32_t FColCount = 0;
  int32_t FRowCount = 0;
  int32_t FFixedRows = 1;
  int32_t FFixedCols = 1;
  bool FNotifyPending = false;
};

// ---------------------------------------------------------------- headers (the fixed cells)

class TStringGridHeader : public QHeaderView {
 public:
  TStringGridHeader(Qt::Orientation Orientation, TStringGrid* Grid);

  // The height of the fixed row (horizontal header) or the width of the fixed column.
  int Extent = 24;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  // The fixed cells are part of the grid: presses on them are the grid's.
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;

  void paintSection(QPainter* Painter, const QRect& Rect, int Section) const override;

 private:
  TStringGrid* FGrid;
};

// ---------------------------------------------------------------- delegate (drawing and the in-place editor)

class TStringGridDelegate : public QStyledItemDelegate {
 public:
  explicit TStringGridDelegate(TStringGrid* Grid) : QStyledItemDelegate(Grid), FGrid(Grid) {}

  QPointer<TMaskEdit> Editor;

  void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;

  QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem&, const QModelIndex& Index) const override;
  void setEditorData(QWidget* EditorWidget, const QModelIndex& Index) const override;
  void setModelData(QWidget* EditorWidget, QAbstractItemModel*, const QModelIndex& Index) const override;
  void destroyEditor(QWidget* EditorWidget, const QModelIndex& Index) const override;
  bool eventFilter(QObject* Object, QEvent* Event) override;

 private:
  TStringGrid* FGrid;
};
