// Keys and the mouse, on the cells and on the fixed cells, with the select check
// for each move they make.

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include "QtEnv.h"
#include "StringGridImpl.h"

// ---------------------------------------------------------------- headers (the fixed cells)

// The fixed cells are part of the grid: presses on them are the grid's.
void TStringGridHeader::mousePressEvent(QMouseEvent* Event) {
  QPointer<TStringGrid> Grid(FGrid);
  QHeaderView::mousePressEvent(Event);
  if (!Grid.isNull()) Grid->MouseDown(viewport(), Event);
}

void TStringGridHeader::mouseDoubleClickEvent(QMouseEvent* Event) {
  QPointer<TStringGrid> Grid(FGrid);
  if (!FGrid->OnDblClick) QHeaderView::mouseDoubleClickEvent(Event);
  if (!Grid.isNull()) Grid->DoubleClick(viewport(), Event);
}

// ---------------------------------------------------------------- grid

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

bool TStringGrid::IsKeptCtrlTab(const QKeyEvent& Event) const {
  return (Event.key() == Qt::Key_Tab || Event.key() == Qt::Key_Backtab) &&
         (Event.modifiers() & Qt::ControlModifier) && (FOptions & goTabs);
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
  if (IsKeptCtrlTab(*Event)) {
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
