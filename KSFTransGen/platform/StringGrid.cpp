#include "StringGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>

#include "MaskEdit.h"
#include "QtEnv.h"
#include "QtText.h"
#include "Utils.h"

// ---------------------------------------------------------------- model

// The cells, column by column. The model's rows and columns are the grid's
// non-fixed ones; the fixed row and column are shown by the headers.
class TStringGridModel : public QAbstractTableModel {
 public:
  explicit TStringGridModel(TStringGrid* Grid) : QAbstractTableModel(Grid), FGrid(Grid) {
    Resize(5, 5);
  }

  int32_t ColCount() const { return FColCount; }
  int32_t RowCount() const { return FRowCount; }
  int32_t FixedRows() const { return FFixedRows; }
  int32_t FixedCols() const { return FFixedCols; }

  const std::string& Cell(int32_t ACol, int32_t ARow) const {
    static const std::string Empty;
    if (ACol < 0 || ACol >= FColCount || ARow < 0 || ARow >= FRowCount) return Empty;
    return FCells[static_cast<size_t>(ACol)][static_cast<size_t>(ARow)];
  }

  void SetCell(int32_t ACol, int32_t ARow, const std::string& Value) {
    if (ACol < 0 || ACol >= FColCount || ARow < 0 || ARow >= FRowCount) return;
    FCells[static_cast<size_t>(ACol)][static_cast<size_t>(ARow)] = Value;
    NotifyLater();
  }

  void SetColCount(int32_t Value) {
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

  void SetRowCount(int32_t Value) {
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

  void SetFixed(int32_t Rows, int32_t Cols) {
    Rows = std::clamp(Rows, 0, 1);
    Cols = std::clamp(Cols, 0, 1);
    if (Rows == FFixedRows && Cols == FFixedCols) return;
    beginResetModel();
    FFixedRows = Rows;
    FFixedCols = Cols;
    Resize(std::max(FColCount, Cols + 1), std::max(FRowCount, Rows + 1));
    endResetModel();
  }

  int rowCount(const QModelIndex& Parent = QModelIndex()) const override {
    return Parent.isValid() ? 0 : FRowCount - FFixedRows;
  }
  int columnCount(const QModelIndex& Parent = QModelIndex()) const override {
    return Parent.isValid() ? 0 : FColCount - FFixedCols;
  }
  QVariant data(const QModelIndex& Index, int Role) const override {
    if (!Index.isValid() || (Role != Qt::DisplayRole && Role != Qt::EditRole)) return QVariant();
    return ToQString(Cell(Index.column() + FFixedCols, Index.row() + FFixedRows));
  }
  bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override {
    if (!Index.isValid() || Role != Qt::EditRole) return false;
    FCells[static_cast<size_t>(Index.column() + FFixedCols)][static_cast<size_t>(Index.row() + FFixedRows)] =
        ToStdString(Value.toString());
    emit dataChanged(Index, Index, {Qt::DisplayRole, Qt::EditRole});
    return true;
  }
  QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override {
    if (Role != Qt::DisplayRole || Section < 0) return QVariant();
    if (Orientation == Qt::Horizontal) {
      if (FFixedRows == 0 || Section >= FColCount - FFixedCols) return QVariant();
      return ToQString(Cell(Section + FFixedCols, 0));
    }
    if (FFixedCols == 0 || Section >= FRowCount - FFixedRows) return QVariant();
    return ToQString(Cell(0, Section + FFixedRows));
  }
  Qt::ItemFlags flags(const QModelIndex& Index) const override {
    if (!Index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags Flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (FGrid->Options() & goEditing) Flags |= Qt::ItemIsEditable;
    return Flags;
  }

  // Every write is told to the view once, when the program returns to the event
  // loop: a fill of a million cells costs one repaint, not a million signals.
  void NotifyLater() {
    if (FNotifyPending) return;
    FNotifyPending = true;
    QTimer::singleShot(0, this, [this]() { NotifyNow(); });
  }
  void NotifyNow() {
    FNotifyPending = false;
    if (rowCount() > 0 && columnCount() > 0)
      emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
    if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0) emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
  }

 private:
  void Resize(int32_t Cols, int32_t Rows) {
    FColCount = Cols;
    FRowCount = Rows;
    FCells.resize(static_cast<size_t>(Cols));
    for (std::vector<std::string>& Column : FCells) Column.resize(static_cast<size_t>(Rows));
  }

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
  TStringGridHeader(Qt::Orientation Orientation, TStringGrid* Grid) : QHeaderView(Orientation, Grid), FGrid(Grid) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumSectionSize(0);
    setSectionResizeMode(QHeaderView::Fixed);
    setStretchLastSection(false);
  }

  // The height of the fixed row (horizontal header) or the width of the fixed column.
  int Extent = 24;

  QSize sizeHint() const override {
    QSize Size = QHeaderView::sizeHint();
    if (orientation() == Qt::Horizontal)
      Size.setHeight(Extent);
    else
      Size.setWidth(Extent);
    return Size;
  }
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  // The fixed cells are part of the grid: presses on them are the grid's.
  void mousePressEvent(QMouseEvent* Event) override {
    QPointer<TStringGrid> Grid(FGrid);
    QHeaderView::mousePressEvent(Event);
    if (!Grid.isNull()) Grid->MouseDown(viewport(), Event);
  }
  void mouseDoubleClickEvent(QMouseEvent* Event) override {
    QPointer<TStringGrid> Grid(FGrid);
    if (!FGrid->OnDblClick) QHeaderView::mouseDoubleClickEvent(Event);
    if (!Grid.isNull()) Grid->DoubleClick(viewport(), Event);
  }

  void paintSection(QPainter* Painter, const QRect& Rect, int Section) const override {
    if (!Rect.isValid()) return;
    const int32_t Fixed = orientation() == Qt::Horizontal ? FGrid->FixedCols() : FGrid->FixedRows();
    const int32_t ACol = orientation() == Qt::Horizontal ? Section + Fixed : 0;
    const int32_t ARow = orientation() == Qt::Horizontal ? 0 : Section + Fixed;
    // The cell without its line; the line is drawn on the right and bottom edges.
    const QRect Cell = Rect.adjusted(0, 0, -1, -1);
    Painter->save();
    FGrid->PaintCell(*Painter, Cell, ACol, ARow, gdFixed);
    Painter->setPen(ToQColor(clGray));
    Painter->drawLine(Rect.topRight(), Rect.bottomRight());
    Painter->drawLine(Rect.bottomLeft(), Rect.bottomRight());
    Painter->restore();
  }

 private:
  TStringGrid* FGrid;
};

// ---------------------------------------------------------------- the in-place editor

// The in-place editor, destroyed only when none of its events is being handled.
// A key handler may open a box, which takes the focus (and the view closes an
// editor that loses it), or refresh the grid, which closes it too; the code that
// called the handler, Qt's own included, goes on using the editor afterwards.
class TInplaceEdit : public TMaskEdit {
 public:
  using TMaskEdit::TMaskEdit;

  // Holds the editor for the length of one of its events.
  class THold {
   public:
    explicit THold(TInplaceEdit* Edit) : FEdit(Edit) { ++Edit->FHeld; }
    ~THold() {
      if (FEdit.isNull()) return;  // gone with its grid
      if (--FEdit->FHeld == 0 && FEdit->FDestroyPending) FEdit->deleteLater();
    }
    THold(const THold&) = delete;
    THold& operator=(const THold&) = delete;

   private:
    QPointer<TInplaceEdit> FEdit;
  };

  void Destroy() {
    if (FHeld > 0)
      FDestroyPending = true;
    else
      deleteLater();
  }

 protected:
  bool event(QEvent* Event) override {
    const THold Hold(this);
    return TMaskEdit::event(Event);
  }

 private:
  int FHeld = 0;
  bool FDestroyPending = false;
};

// ---------------------------------------------------------------- delegate (drawing and the in-place editor)

class TStringGridDelegate : public QStyledItemDelegate {
 public:
  explicit TStringGridDelegate(TStringGrid* Grid) : QStyledItemDelegate(Grid), FGrid(Grid) {}

  QPointer<TMaskEdit> Editor;

  void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    const int32_t ACol = Index.column() + FGrid->FixedCols();
    const int32_t ARow = Index.row() + FGrid->FixedRows();
    TGridDrawState State = 0;
    if (ACol == FGrid->Col() && ARow == FGrid->Row()) {
      State |= gdSelected;
      if (FGrid->hasFocus() && FGrid->state() != QAbstractItemView::EditingState) State |= gdFocused;
    }
    Painter->save();
    FGrid->PaintCell(*Painter, Option.rect, ACol, ARow, State);
    Painter->restore();
    if (State & gdFocused) {
      QStyleOptionFocusRect Focus;
      Focus.rect = Option.rect;
      Focus.state = QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
      Focus.backgroundColor = ToQColor(FGrid->Color);
      FGrid->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &Focus, Painter, FGrid);
    }
  }

  QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem&, const QModelIndex& Index) const override {
    const int32_t ACol = Index.column() + FGrid->FixedCols();
    const int32_t ARow = Index.row() + FGrid->FixedRows();
    auto* Edit = new TInplaceEdit(Parent);
    Edit->setFrame(false);
    Edit->EnforceComplete = false;  // a cell may be left as it is; the program judges its text
    // A cell changes only by keys, which the key handlers see and may refuse: no
    // paste from a context menu, no dropped text, no middle-button paste.
    Edit->setContextMenuPolicy(Qt::NoContextMenu);
    Edit->setAcceptDrops(false);
    std::string Mask;
    if (FGrid->OnGetEditMask) RunHandler([&]() { FGrid->OnGetEditMask(ACol, ARow, Mask); });
    Edit->SetEditMask(Mask);
    QObject::connect(Edit, &QLineEdit::textEdited, Edit, [Grid = FGrid, Edit, ACol, ARow](const QString&) {
      Grid->EditorTextEdited(ACol, ARow, Edit->Text());
    });
    Edit->setProperty("ksfCol", ACol);
    Edit->setProperty("ksfRow", ARow);
    const_cast<TStringGridDelegate*>(this)->Editor = Edit;
    return Edit;
  }

  void setEditorData(QWidget* EditorWidget, const QModelIndex& Index) const override {
    auto* Edit = qobject_cast<TMaskEdit*>(EditorWidget);
    if (Edit == nullptr || Edit->property("ksfFilled").toBool()) return;  // the editor owns its text now
    const int32_t ACol = Index.column() + FGrid->FixedCols();
    const int32_t ARow = Index.row() + FGrid->FixedRows();
    std::string Text = FGrid->Cells(ACol, ARow);
    if (FGrid->OnGetEditText) RunHandler([&]() { FGrid->OnGetEditText(ACol, ARow, Text); });
    Edit->SetText(Text);
    Edit->setModified(false);
    Edit->selectAll();
    Edit->setProperty("ksfFilled", true);
  }

  void setModelData(QWidget* EditorWidget, QAbstractItemModel*, const QModelIndex& Index) const override {
    auto* Edit = qobject_cast<TMaskEdit*>(EditorWidget);
    if (Edit == nullptr || !Edit->isModified()) return;
    FGrid->FModel->SetCell(Index.column() + FGrid->FixedCols(), Index.row() + FGrid->FixedRows(), Edit->Text());
  }

  void destroyEditor(QWidget* EditorWidget, const QModelIndex& Index) const override {
    if (auto* Edit = dynamic_cast<TInplaceEdit*>(EditorWidget)) {
      Edit->Destroy();
      return;
    }
    QStyledItemDelegate::destroyEditor(EditorWidget, Index);
  }

  bool eventFilter(QObject* Object, QEvent* Event) override {
    auto* Edit = dynamic_cast<TInplaceEdit*>(Object);
    if (Edit == nullptr) return QStyledItemDelegate::eventFilter(Object, Event);
    const TInplaceEdit::THold Hold(Edit);
    // The key handlers may save, reread the file, change the page or close the
    // form. After one has run, the event goes on only to an editor still open on
    // its grid; otherwise it has been taken.
    const QPointer<TStringGridDelegate> Self(this);
    auto StillOpen = [&]() { return !Self.isNull() && FGrid->IsOpenEditor(Edit); };
    switch (Event->type()) {
      case QEvent::KeyPress: {
        if (Event == FGrid->FKeyInFlight) break;
        auto* Key = static_cast<QKeyEvent*>(Event);
        if (Event != FGrid->FPasteInFlight) FGrid->NoteKeyDown(*Key);
        if (Key->matches(QKeySequence::Paste) && Key->key() != Qt::Key_V) {
          // Shift+Insert and the paste key paste as Ctrl+V does, so the key rules
          // that refuse Ctrl+V in a cell refuse them too.
          QKeyEvent AsCtrlV(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
          const THandedOnKey HandedOn(&AsCtrlV);
          FGrid->FPasteInFlight = &AsCtrlV;
          QApplication::sendEvent(Edit, &AsCtrlV);
          if (!Self.isNull()) FGrid->FPasteInFlight = nullptr;
          return true;
        }
        const bool Down = FGrid->HandleKeyDown(Key);
        if (!StillOpen() || !Down) return true;
        char Typed = KeyCharOf(*Key);
        const bool Pressed = FGrid->HandleKeyPress(Key, Typed);
        if (!StillOpen() || !Pressed) return true;
        if (Typed != KeyCharOf(*Key)) {
          // The handler changed the character: the editor gets the new one.
          QKeyEvent Changed(QEvent::KeyPress, Key->key(), Key->modifiers(), QString(QChar::fromLatin1(Typed)));
          const THandedOnKey HandedOn(&Changed);
          FGrid->FKeyInFlight = &Changed;
          QApplication::sendEvent(Edit, &Changed);
          if (!Self.isNull()) FGrid->FKeyInFlight = nullptr;
          return true;
        }
        break;
      }
      case QEvent::KeyRelease:
        FGrid->HandleKeyUp(static_cast<QKeyEvent*>(Event));
        if (!StillOpen()) return true;
        break;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(Event)->button() == Qt::MiddleButton) return true;
        break;
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
        Event->ignore();
        return true;
      default:
        break;
    }
    return QStyledItemDelegate::eventFilter(Object, Event);
  }

 private:
  TStringGrid* FGrid;
};

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

bool TStringGrid::EditorMode() const { return state() == QAbstractItemView::EditingState; }

void TStringGrid::SetEditorMode(bool Value) {
  if (Value == EditorMode()) return;
  if (Value) {
    if (FOptions & goEditing) QTableView::edit(currentIndex(), QAbstractItemView::AllEditTriggers, nullptr);
    return;
  }
  if (QWidget* Editor = FDelegate->Editor.data()) {
    commitData(Editor);
    closeEditor(Editor, QAbstractItemDelegate::NoHint);
  }
}

QLineEdit* TStringGrid::InplaceEditor() const {
  return state() == QAbstractItemView::EditingState ? FDelegate->Editor.data() : nullptr;
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

void TStringGrid::keyboardSearch(const QString&) {}

QModelIndex TStringGrid::moveCursor(CursorAction Action, Qt::KeyboardModifiers Modifiers) {
  const QModelIndex Current = currentIndex();
  const QModelIndex Target = QTableView::moveCursor(Action, Modifiers);
  if (!Target.isValid() || Target == Current) return Target;
  const QPointer<TStringGrid> Self(this);
  const bool CanSelect = AskSelectCell(Target.column() + FixedCols(), Target.row() + FixedRows());
  if (Self.isNull()) return QModelIndex();
  // The select check may have refilled the grid: the cells are asked for again.
  const QModelIndex Fresh = FModel->index(Target.row(), Target.column());
  if (!CanSelect || !Fresh.isValid()) return currentIndex();
  FApprovedCol = Fresh.column() + FixedCols();
  FApprovedRow = Fresh.row() + FixedRows();
  return Fresh;
}

void TStringGrid::mousePressEvent(QMouseEvent* Event) {
  QPointer<TStringGrid> Self(this);
  PressCell(Event);
  if (!Self.isNull() && !FDoubleClicking) MouseDown(viewport(), Event);
}

void TStringGrid::PressCell(QMouseEvent* Event) {
  const QModelIndex Index = indexAt(Event->position().toPoint());
  if (!Index.isValid()) {
    QTableView::mousePressEvent(Event);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  if (Event->button() != Qt::LeftButton) {
    Event->accept();
    return;
  }
  const int32_t ACol = Index.column() + FixedCols();
  const int32_t ARow = Index.row() + FixedRows();
  const QPointer<TStringGrid> Self(this);
  const bool CanSelect = AskSelectCell(ACol, ARow);
  if (Self.isNull() || !CanSelect) {
    Event->accept();
    return;
  }
  const bool Same = ACol == FCol && ARow == FRow;
  FApprovedCol = ACol;
  FApprovedRow = ARow;
  QTableView::mousePressEvent(Event);
  if (Self.isNull()) return;
  FApprovedCol = FApprovedRow = -1;
  // A click on the current cell changes nothing in the view, but still clicks.
  if (Same) CallHandler(OnClick);
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent* Event) {
  // The view's own handling first, so that it forgets the press and drops an
  // edit the first click may have scheduled; with OnDblClick it opens no
  // editor, the double click being the program's. A press the view makes of
  // it does the cells' work only: the press is told once, below.
  QPointer<TStringGrid> Self(this);
  const EditTriggers Triggers = editTriggers();
  if (OnDblClick) setEditTriggers(Triggers & ~QAbstractItemView::DoubleClicked);
  FDoubleClicking = true;
  QTableView::mouseDoubleClickEvent(Event);
  if (Self.isNull()) return;
  FDoubleClicking = false;
  setEditTriggers(Triggers);
  DoubleClick(viewport(), Event);
}

void TStringGrid::DoubleClick(const QWidget* Source, const QMouseEvent* Event) {
  // The window system gives the second press of a double click as the double
  // click alone: OnDblClick, then OnMouseDown as for every press. Either may
  // refresh the grid, close its window or free it.
  QPointer<TStringGrid> Self(this);
  QPointer<const QWidget> From(Source);
  if (Event->button() == Qt::LeftButton) CallHandler(OnDblClick);
  if (Self.isNull() || From.isNull()) return;
  MouseDown(Source, Event);
}

void TStringGrid::MouseDown(const QWidget* Source, const QMouseEvent* Event) {
  if (!OnMouseDown) return;
  TMouseButton Button;
  switch (Event->button()) {
    case Qt::LeftButton:
      Button = mbLeft;
      break;
    case Qt::RightButton:
      Button = mbRight;
      break;
    case Qt::MiddleButton:
      Button = mbMiddle;
      break;
    default:
      return;
  }
  TShiftState Shift = 0;
  if (Event->modifiers() & Qt::ShiftModifier) Shift |= ssShift;
  if (Event->modifiers() & Qt::ControlModifier) Shift |= ssCtrl;
  if (Event->modifiers() & Qt::AltModifier) Shift |= ssAlt;
  const QPoint At = Source->mapTo(this, Event->position().toPoint()) - QPoint(frameWidth(), frameWidth());
  CallHandler(OnMouseDown, Button, Shift, At.x(), At.y());
}

bool TStringGrid::edit(const QModelIndex& Index, EditTrigger Trigger, QEvent* Event) {
  if (!(FOptions & goEditing) && Trigger != QAbstractItemView::AllEditTriggers) return false;
  return QTableView::edit(Index, Trigger, Event);
}

bool TStringGrid::HandleKeyDown(QKeyEvent* Event) {
  uint16_t Key = KeyCodeOf(*Event);
  if (Key == 0 || !OnKeyDown) return true;
  const TShiftState Shift = ShiftStateOf(*Event);
  if (!CallHandler(OnKeyDown, Key, Shift)) return false;
  return Key != 0;
}

bool TStringGrid::HandleKeyPress(QKeyEvent* Event, char& Typed) {
  (void)Event;
  if (Typed == 0 || !OnKeyPress) return true;
  if (!CallHandler(OnKeyPress, Typed)) return false;
  return Typed != 0;
}

void TStringGrid::HandleKeyUp(QKeyEvent* Event) {
  if (Event->isAutoRepeat()) return;
  uint16_t Key = KeyCodeOf(*Event);
  // A release acts only where its press was seen. The press of an Esc released
  // here may have closed a box (and the user never meant the grid), or a
  // shortcut may have taken it.
  if (Key == 0 || !TakeKeyDown(Key) || !OnKeyUp) return;
  const TShiftState Shift = ShiftStateOf(*Event);
  CallHandler(OnKeyUp, Key, Shift);
}

void TStringGrid::NoteKeyDown(const QKeyEvent& Event) {
  const uint16_t Key = KeyCodeOf(Event);
  if (Key != 0 && Key < FKeysDown.size()) FKeysDown.set(Key);
}

bool TStringGrid::TakeKeyDown(uint16_t Key) {
  if (Key >= FKeysDown.size() || !FKeysDown.test(Key)) return false;
  FKeysDown.reset(Key);
  return true;
}

bool TStringGrid::IsOpenEditor(const QWidget* Editor) const {
  const QVariant Col = Editor->property("ksfCol");
  const QVariant Row = Editor->property("ksfRow");
  if (!Col.isValid() || !Row.isValid()) return false;
  return indexWidget(FModel->index(Row.toInt() - FixedRows(), Col.toInt() - FixedCols())) == Editor;
}

void TStringGrid::keyPressEvent(QKeyEvent* Event) {
  NoteKeyDown(*Event);
  // The handlers may refresh the grid or close its form: nothing is touched
  // after one of them unless the grid is still there.
  const QPointer<TStringGrid> Self(this);
  const bool Down = HandleKeyDown(Event);
  if (Self.isNull() || !Down) {
    Event->accept();
    return;
  }
  char Typed = KeyCharOf(*Event);
  const bool Pressed = HandleKeyPress(Event, Typed);
  if (Self.isNull() || !Pressed) {
    Event->accept();
    return;
  }
  const bool CtrlTab = (Event->key() == Qt::Key_Tab || Event->key() == Qt::Key_Backtab) &&
                       (Event->modifiers() & Qt::ControlModifier);
  if (CtrlTab && (FOptions & goTabs)) {
    // The grid keeps Ctrl+Tab: its key-up handler decides what it does.
    Event->accept();
    return;
  }
  if (Typed != KeyCharOf(*Event)) {
    QKeyEvent Changed(QEvent::KeyPress, Event->key(), Event->modifiers(), QString(QChar::fromLatin1(Typed)));
    const THandedOnKey HandedOn(&Changed);
    FKeyInFlight = &Changed;
    QTableView::keyPressEvent(&Changed);
    FKeyInFlight = nullptr;
    Event->setAccepted(Changed.isAccepted());
    return;
  }
  const THandedOnKey HandedOn(Event);
  FKeyInFlight = Event;
  QTableView::keyPressEvent(Event);
  FKeyInFlight = nullptr;
}

void TStringGrid::keyReleaseEvent(QKeyEvent* Event) {
  const QPointer<TStringGrid> Self(this);
  HandleKeyUp(Event);
  if (Self.isNull()) return;
  QTableView::keyReleaseEvent(Event);
}

void TStringGrid::EditorTextEdited(int32_t ACol, int32_t ARow, const std::string& Text) {
  FModel->SetCell(ACol, ARow, Text);
  CallHandler(OnSetEditText, ACol, ARow, Text);
}

void TStringGrid::PaintCell(QPainter& Painter, const QRect& Rect, int32_t ACol, int32_t ARow,
                            TGridDrawState State) {
  TCanvas CellCanvas(Painter);
  const bool Highlight = (State & gdSelected) && (FOptions & goDrawFocusSelected) && !(State & gdFixed);
  CellCanvas.Brush->Color = (State & gdFixed) ? FixedColor : Highlight ? clHighlight : Color;
  CellCanvas.Font->Color = (State & gdFixed) ? clBtnText : Highlight ? clHighlightText : clWindowText;
  const TRect Cell = ToTRect(Rect);
  CellCanvas.TextRect(Cell, Cell.Left + 2, Cell.Top + 2, Cells(ACol, ARow));
  if (!OnDrawCell) return;
  TCanvas* Previous = Canvas;
  Canvas = &CellCanvas;
  RunHandler([&]() { OnDrawCell(ACol, ARow, Cell, State); });
  Canvas = Previous;
}
