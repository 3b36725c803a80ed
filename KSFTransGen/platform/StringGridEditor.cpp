// The in-place editor: the delegate that opens, fills and closes it, and the
// filter through which its keys reach the grid's key handlers.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimerEvent>

#include "QtEnv.h"
#include "StringGridImpl.h"

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

// ---------------------------------------------------------------- delegate (the in-place editor)

QWidget* TStringGridDelegate::createEditor(QWidget* Parent, const QStyleOptionViewItem&,
                                           const QModelIndex& Index) const {
  const int32_t ACol = Index.column() + FGrid->FixedCols();
  const int32_t ARow = Index.row() + FGrid->FixedRows();
  auto* Edit = new TInplaceEdit(Parent);
  Edit->setFrame(false);
  Edit->EnforceComplete = false;  // a cell may be left as it is; the program judges its text
  Edit->PlaceCursorOnEntry = false;  // the cell's whole text stays selected: the first key replaces it
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

void TStringGridDelegate::setEditorData(QWidget* EditorWidget, const QModelIndex& Index) const {
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

void TStringGridDelegate::setModelData(QWidget* EditorWidget, QAbstractItemModel*,
                                       const QModelIndex& Index) const {
  auto* Edit = qobject_cast<TMaskEdit*>(EditorWidget);
  if (Edit == nullptr || !Edit->isModified()) return;
  FGrid->FModel->SetCell(Index.column() + FGrid->FixedCols(), Index.row() + FGrid->FixedRows(), Edit->Text());
}

void TStringGridDelegate::destroyEditor(QWidget* EditorWidget, const QModelIndex& Index) const {
  if (auto* Edit = dynamic_cast<TInplaceEdit*>(EditorWidget)) {
    Edit->Destroy();
    return;
  }
  QStyledItemDelegate::destroyEditor(EditorWidget, Index);
}

bool TStringGridDelegate::eventFilter(QObject* Object, QEvent* Event) {
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
      // Ctrl+Tab must not also close the editor and move on as Tab does.
      if (FGrid->IsKeptCtrlTab(*Key)) return true;
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

// ---------------------------------------------------------------- grid

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

bool TStringGrid::edit(const QModelIndex& Index, EditTrigger Trigger, QEvent* Event) {
  if (!(FOptions & goEditing) && Trigger != QAbstractItemView::AllEditTriggers) return false;
  if (Trigger == QAbstractItemView::SelectedClicked) {
    // The view would wait for a possible double click itself and drop every key
    // typed meanwhile (the clerk's first digits). The grid waits instead, and
    // any other way to the editor, or away from the cell, ends the wait.
    if (!(editTriggers() & QAbstractItemView::SelectedClicked) || !Index.isValid()) return false;
    FClickEditIndex = Index;
    FClickEdit.start(QApplication::doubleClickInterval(), this);
    return true;
  }
  FClickEdit.stop();
  return QTableView::edit(Index, Trigger, Event);
}

void TStringGrid::timerEvent(QTimerEvent* Event) {
  if (Event->timerId() != FClickEdit.timerId()) {
    QTableView::timerEvent(Event);
    return;
  }
  FClickEdit.stop();
  // Only on the cell clicked, and only while the grid still has the keyboard:
  // an editor opened now would take the focus from wherever the user went.
  const QModelIndex Index = currentIndex();
  if (!Index.isValid() || Index != QModelIndex(FClickEditIndex) || EditorMode() || !hasFocus()) return;
  edit(Index, QAbstractItemView::AllEditTriggers, nullptr);
}

bool TStringGrid::IsOpenEditor(const QWidget* Editor) const {
  const QVariant Col = Editor->property("ksfCol");
  const QVariant Row = Editor->property("ksfRow");
  if (!Col.isValid() || !Row.isValid()) return false;
  return indexWidget(FModel->index(Row.toInt() - FixedRows(), Col.toInt() - FixedCols())) == Editor;
}

void TStringGrid::EditorTextEdited(int32_t ACol, int32_t ARow, const std::string& Text) {
  FModel->SetCell(ACol, ARow, Text);
  CallHandler(OnSetEditText, ACol, ARow, Text);
}
