// The grid itself: its counts, the column widths and row heights its headers
// hold, its options, and the current cell with the select check before each move.

#include "StringGrid.h"

#include <QApplication>
#include <QPointer>
#include <QStyle>
#include <algorithm>

#include "QtEnv.h"
#include "StringGridImpl.h"

// ---------------------------------------------------------------- headers (the fixed cells)

TStringGridHeader::TStringGridHeader(Qt::Orientation Orientation, TStringGrid* Grid)
    : QHeaderView(Orientation, Grid), FGrid(Grid) {
  setSectionsClickable(false);
  setHighlightSections(false);
  setMinimumSectionSize(0);
  setSectionResizeMode(QHeaderView::Fixed);
  setStretchLastSection(false);
}

QSize TStringGridHeader::sizeHint() const {
  QSize Size = QHeaderView::sizeHint();
  if (orientation() == Qt::Horizontal)
    Size.setHeight(Extent);
  else
    Size.setWidth(Extent);
  return Size;
}

// ---------------------------------------------------------------- grid

TStringGrid::TStringGrid(QWidget* Parent)
    : QTableView(Parent),
      FModel(new TStringGridModel(this)),
      FDelegate(new TStringGridDelegate(this)),
      FTopHeader(new TStringGridHeader(Qt::Horizontal, this)),
      FLeftHeader(new TStringGridHeader(Qt::Vertical, this)),
      FOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect) {
  setHorizontalHeader(FTopHeader);
  setVerticalHeader(FLeftHeader);
  setModel(FModel);
  setItemDelegate(FDelegate);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  FTopHeader->setDefaultSectionSize(FDefaultColWidth);
  FLeftHeader->setDefaultSectionSize(FDefaultRowHeight);
  FTopHeader->Extent = FDefaultRowHeight;
  FLeftHeader->Extent = FDefaultColWidth;
  FCol = 1;
  FRow = 1;
  ApplyOptions();
  ApplyHeaders();
  SyncViewCurrent();
  // A key pressed before the focus left the grid is released, if at all, where
  // the focus went: a release that comes back later belongs to no press seen here.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* Now) {
    if (Now == nullptr || (Now != this && !isAncestorOf(Now))) FKeysDown.reset();
  });
}

TStringGrid::~TStringGrid() = default;

std::string TStringGrid::Cells(int32_t ACol, int32_t ARow) const { return FModel->Cell(ACol, ARow); }

void TStringGrid::SetCells(int32_t ACol, int32_t ARow, const std::string& Value) {
  FModel->SetCell(ACol, ARow, Value);
  // The program rewrote the cell being edited: the editor shows the new text and
  // forgets what was typed, or closing it would put the typed text back. (The
  // editor may still commit after the view has left editing.)
  const QPointer<TMaskEdit> Edit = FDelegate->Editor;
  if (Edit == nullptr || Edit->property("ksfCol").toInt() != ACol || Edit->property("ksfRow").toInt() != ARow) return;
  std::string Text = Value;
  if (OnGetEditText) RunHandler([&]() { OnGetEditText(ACol, ARow, Text); });
  if (Edit.isNull()) return;
  Edit->SetText(Text);
  Edit->setModified(false);
  Edit->selectAll();
}

int32_t TStringGrid::ColCount() const { return FModel->ColCount(); }
int32_t TStringGrid::RowCount() const { return FModel->RowCount(); }
int32_t TStringGrid::FixedRows() const { return FModel->FixedRows(); }
int32_t TStringGrid::FixedCols() const { return FModel->FixedCols(); }

void TStringGrid::SetColCount(int32_t Value) {
  ++FSyncing;
  FModel->SetColCount(Value);
  if (FCol >= ColCount()) FCol = ColCount() - 1;
  --FSyncing;
  SyncViewCurrent();
}

void TStringGrid::SetRowCount(int32_t Value) {
  ++FSyncing;
  FModel->SetRowCount(Value);
  if (FRow >= RowCount()) FRow = RowCount() - 1;
  --FSyncing;
  SyncViewCurrent();
}

void TStringGrid::SetFixedRows(int32_t Value) {
  // Column widths and row heights live in the headers; keep them across the change.
  std::vector<int32_t> Widths;
  for (int32_t C = 0; C < ColCount(); ++C) Widths.push_back(ColWidths(C));
  ++FSyncing;
  FModel->SetFixed(Value, FixedCols());
  // A change of the fixed cells starts again at the first cell after them.
  FCol = FixedCols();
  FRow = FixedRows();
  --FSyncing;
  ApplyHeaders();
  for (int32_t C = 0; C < ColCount(); ++C) SetColWidths(C, Widths[static_cast<size_t>(C)]);
  SyncViewCurrent();
}

void TStringGrid::SetFixedCols(int32_t Value) {
  std::vector<int32_t> Heights;
  for (int32_t R = 0; R < std::min(RowCount(), 1000); ++R) Heights.push_back(RowHeights(R));
  ++FSyncing;
  FModel->SetFixed(FixedRows(), Value);
  FCol = FixedCols();
  FRow = FixedRows();
  --FSyncing;
  ApplyHeaders();
  for (int32_t R = 0; R < static_cast<int32_t>(Heights.size()) && R < RowCount(); ++R)
    SetRowHeights(R, Heights[static_cast<size_t>(R)]);
  SyncViewCurrent();
}

int32_t TStringGrid::DefaultColWidth() const { return FDefaultColWidth; }

void TStringGrid::SetDefaultColWidth(int32_t Value) {
  FDefaultColWidth = Value;
  FTopHeader->setDefaultSectionSize(Value);
  for (int I = 0; I < FTopHeader->count(); ++I) FTopHeader->resizeSection(I, Value);
  FLeftHeader->Extent = Value;
  FLeftHeader->updateGeometry();
  updateGeometries();
}

int32_t TStringGrid::DefaultRowHeight() const { return FDefaultRowHeight; }

void TStringGrid::SetDefaultRowHeight(int32_t Value) {
  FDefaultRowHeight = Value;
  // Resetting the default resizes every row at once, without touching each one.
  FLeftHeader->reset();
  FLeftHeader->setDefaultSectionSize(Value);
  FTopHeader->Extent = Value;
  FTopHeader->updateGeometry();
  updateGeometries();
}

int32_t TStringGrid::ColWidths(int32_t ACol) const {
  if (ACol < 0 || ACol >= ColCount()) return 0;
  if (ACol < FixedCols()) return FLeftHeader->Extent;
  return FTopHeader->sectionSize(ACol - FixedCols());
}

void TStringGrid::SetColWidths(int32_t ACol, int32_t Value) {
  if (ACol < 0 || ACol >= ColCount()) return;
  Value = std::max(Value, 0);
  if (ACol < FixedCols()) {
    FLeftHeader->Extent = Value;
    FLeftHeader->updateGeometry();
    updateGeometries();
    return;
  }
  FTopHeader->resizeSection(ACol - FixedCols(), Value);
}

int32_t TStringGrid::RowHeights(int32_t ARow) const {
  if (ARow < 0 || ARow >= RowCount()) return 0;
  if (ARow < FixedRows()) return FTopHeader->Extent;
  const int Section = ARow - FixedRows();
  if (FLeftHeader->isSectionHidden(Section)) return 0;
  return FLeftHeader->sectionSize(Section);
}

void TStringGrid::SetRowHeights(int32_t ARow, int32_t Value) {
  if (ARow < 0 || ARow >= RowCount()) return;
  Value = std::max(Value, 0);
  if (ARow < FixedRows()) {
    FTopHeader->Extent = Value;
    FTopHeader->updateGeometry();
    updateGeometries();
    return;
  }
  const int Section = ARow - FixedRows();
  if (Value == 0) {
    FLeftHeader->setSectionHidden(Section, true);
  } else {
    FLeftHeader->setSectionHidden(Section, false);
    FLeftHeader->resizeSection(Section, Value);
  }
}

void TStringGrid::SetCol(int32_t Value) {
  if (Value == FCol || Value < FixedCols() || Value >= ColCount()) return;
  MoveTo(Value, FRow);
}

void TStringGrid::SetRow(int32_t Value) {
  if (Value == FRow || Value < FixedRows() || Value >= RowCount()) return;
  MoveTo(FCol, Value);
}

int32_t TStringGrid::TopRow() const {
  const int Row = rowAt(0);
  return (Row < 0 ? 0 : Row) + FixedRows();
}

void TStringGrid::SetOptions(TGridOptions Value) {
  FOptions = Value;
  ApplyOptions();
}

void TStringGrid::ApplyOptions() {
  setShowGrid((FOptions & (goVertLine | goHorzLine)) != 0);
  setTabKeyNavigation((FOptions & goTabs) != 0);
  FTopHeader->setSectionResizeMode((FOptions & goColSizing) ? QHeaderView::Interactive : QHeaderView::Fixed);
  FLeftHeader->setSectionResizeMode((FOptions & goRowSizing) ? QHeaderView::Interactive : QHeaderView::Fixed);
  if (FOptions & goEditing)
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
  else
    setEditTriggers(QAbstractItemView::NoEditTriggers);
  viewport()->update();
}

void TStringGrid::ApplyHeaders() {
  FTopHeader->setVisible(FixedRows() > 0);
  FLeftHeader->setVisible(FixedCols() > 0);
  FTopHeader->updateGeometry();
  FLeftHeader->updateGeometry();
  updateGeometries();
}

int32_t TStringGrid::GridWidth() const {
  int32_t Sum = 0;
  for (int32_t C = 0; C < FixedCols(); ++C) Sum += ColWidths(C) + 1;
  const int First = std::max(columnAt(0), 0) + FixedCols();
  for (int32_t C = First; C < ColCount(); ++C) Sum += ColWidths(C) + 1;
  // The client width: inside the frame, less a vertical scroll bar when the rows need one.
  int32_t Client = width() - 2 * frameWidth();
  int32_t RowsHeight = FixedRows() > 0 ? FTopHeader->Extent : 0;
  RowsHeight += FLeftHeader->length();
  const Qt::ScrollBarPolicy Policy = verticalScrollBarPolicy();
  if (Policy == Qt::ScrollBarAlwaysOn ||
      (Policy == Qt::ScrollBarAsNeeded && RowsHeight > height() - 2 * frameWidth()))
    Client -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  return std::min(Sum, Client);
}

TRect TStringGrid::CellRect(int32_t ACol, int32_t ARow) const {
  if (ACol < FixedCols() || ARow < FixedRows()) return TRect{};
  return ToTRect(visualRect(FModel->index(ARow - FixedRows(), ACol - FixedCols())));
}

bool TStringGrid::AskSelectCell(int32_t ACol, int32_t ARow) {
  bool CanSelect = true;
  if (!CallHandler(OnSelectCell, ACol, ARow, CanSelect)) CanSelect = false;
  return CanSelect;
}

void TStringGrid::MoveTo(int32_t ACol, int32_t ARow) {
  const QPointer<TStringGrid> Self(this);
  if (!AskSelectCell(ACol, ARow) || Self.isNull()) return;
  // The select check may have refilled the grid.
  if (ACol >= ColCount() || ARow >= RowCount()) return;
  FCol = ACol;
  FRow = ARow;
  SyncViewCurrent();
  CallHandler(OnClick);
}

void TStringGrid::SyncViewCurrent() {
  if (selectionModel() == nullptr) return;
  const QModelIndex Index = FModel->index(FRow - FixedRows(), FCol - FixedCols());
  ++FSyncing;
  if (Index.isValid() && Index != currentIndex()) {
    if (EditorMode()) SetEditorMode(false);
    selectionModel()->setCurrentIndex(Index, QItemSelectionModel::ClearAndSelect);
  }
  --FSyncing;
  if (Index.isValid() && !FLeftHeader->isSectionHidden(Index.row())) scrollTo(Index);
  viewport()->update();
}

void TStringGrid::currentChanged(const QModelIndex& Current, const QModelIndex& Previous) {
  QTableView::currentChanged(Current, Previous);
  viewport()->update();
  if (FSyncing > 0 || !Current.isValid()) return;
  // The view moved by a key or the mouse. Keys and presses ask the select check
  // before the view moves; any other way (a drag with the button held) is asked
  // here, and a refused cell puts the view back on the current one.
  const int32_t ACol = Current.column() + FixedCols();
  const int32_t ARow = Current.row() + FixedRows();
  const bool Approved = ACol == FApprovedCol && ARow == FApprovedRow;
  FApprovedCol = FApprovedRow = -1;
  if (!Approved) {
    const QPointer<TStringGrid> Self(this);
    const bool CanSelect = AskSelectCell(ACol, ARow);
    if (Self.isNull()) return;
    if (!CanSelect || ACol >= ColCount() || ARow >= RowCount()) {
      SyncViewCurrent();
      return;
    }
  }
  FCol = ACol;
  FRow = ARow;
  CallHandler(OnClick);
}
