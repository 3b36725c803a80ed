// Drawing: every cell, fixed or not, is drawn by PaintCell, and OnDrawCell may
// draw over it.

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "QtEnv.h"
#include "StringGridImpl.h"

void TStringGridHeader::paintSection(QPainter* Painter, const QRect& Rect, int Section) const {
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

void TStringGridDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option,
                                const QModelIndex& Index) const {
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
