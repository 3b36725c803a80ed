#pragma once
// The string grid: a table of text cells with fixed title rows/columns, column
// widths and row heights (height 0 hides a row), a current cell, in-place
// editing with edit masks, and cells the program may draw itself.
//
// Cells are stored column by column and shown through a model and a view, so a
// grid of 100,000 rows fills in a fraction of a second and repaints only what is
// on screen. Rows and columns are counted as the program sees them: row 0 is the
// first (fixed) row, so the data rows start at FixedRows.
//
// Event order, which the forms rely on:
// - whenever the current cell is set, by the mouse, a key or the program:
//   OnSelectCell(ACol, ARow, CanSelect) first; when it leaves CanSelect true the
//   cell becomes current and OnClick runs (a click on the current cell asks again
//   and clicks again; setting Col/Row to its present value does nothing);
// - keys, in the grid and in its in-place editor: OnKeyDown, then for a key that
//   types a character OnKeyPress, then OnKeyUp at release. A handler drops the key
//   by setting Key to 0 or raising EAbort (the silent stop). OnKeyUp runs only for
//   a key whose press the grid or its editor saw since that key's last release and
//   since the focus last left them: a release whose press went elsewhere (to a box
//   that Esc closed, to a shortcut) is no key for the grid;
// - the editor opens on the current cell for the first key that types a
//   character there (that key is its first), for Enter or F2, and for a click on
//   the current cell once no second click has made it a double click; a key
//   typed while the grid waits for that second click opens the editor at once,
//   with the key in it, so no key is lost however the cell got the focus;
// - when the editor opens: OnGetEditMask and OnGetEditText for its cell; at every
//   change of the editor's text the cell takes the new text (as the mask gives it)
//   and then OnSetEditText runs;
// - a mouse press anywhere on the grid, title row included, does the grid's own
//   work first (a left press on a cell makes it current, as above) and then runs
//   OnMouseDown with the position in the grid's client area (0, 0 is the top left
//   of the title row; the title row's height includes its grid line);
// - the second press of a double click comes as the double click alone: it
//   runs OnDblClick, then OnMouseDown as any press does; with OnDblClick set it
//   opens no editor;
// - each cell is drawn by the grid (brush filled, text at left + 2, top + 2) and
//   then OnDrawCell may draw over it on the canvas.
// Exceptions other than EAbort that a handler raises reach the default error box.
//
// The key, click, select and mouse handlers and OnSetEditText may open boxes, refresh
// the grid or close its form: the grid touches nothing after one of them unless
// it is still there, a key goes on to the in-place editor only while that editor
// is still open, and a closed editor is destroyed only once the event it was
// handling has ended. OnDrawCell, OnGetEditMask and OnGetEditText only answer.

#include <QBasicTimer>
#include <QPersistentModelIndex>
#include <QTableView>
#include <bitset>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Keys.h"

class TStringGridModel;
class TStringGridDelegate;
class TStringGridHeader;

// Grid options.
enum TGridOption : uint32_t {
  goFixedVertLine = 1u << 0,
  goFixedHorzLine = 1u << 1,
  goVertLine = 1u << 2,
  goHorzLine = 1u << 3,
  goRangeSelect = 1u << 4,
  goDrawFocusSelected = 1u << 5,  // the current cell is drawn highlighted
  goRowSizing = 1u << 6,
  goColSizing = 1u << 7,
  goEditing = 1u << 8,
  goTabs = 1u << 9,               // Tab and Shift+Tab move between cells
  goThumbTracking = 1u << 10,
  goAlwaysShowEditor = 1u << 11,
};
using TGridOptions = uint32_t;

// State of a cell being drawn.
enum TGridDrawStateFlag : uint8_t { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = uint8_t;

class TStringGrid : public QTableView {
  Q_OBJECT
 public:
  explicit TStringGrid(QWidget* Parent = nullptr);
  ~TStringGrid() override;

  // Cells. Reading outside the grid gives the empty text; writing outside it is ignored.
  std::string Cells(int32_t ACol, int32_t ARow) const;
  void SetCells(int32_t ACol, int32_t ARow, const std::string& Value);

  int32_t ColCount() const;
  void SetColCount(int32_t Value);
  int32_t RowCount() const;
  void SetRowCount(int32_t Value);
  // 0 or 1 each: the title row and the caption column.
  int32_t FixedRows() const;
  void SetFixedRows(int32_t Value);
  int32_t FixedCols() const;
  void SetFixedCols(int32_t Value);

  int32_t DefaultColWidth() const;
  void SetDefaultColWidth(int32_t Value);  // applies to every column
  int32_t DefaultRowHeight() const;
  void SetDefaultRowHeight(int32_t Value);  // applies to every row
  int32_t ColWidths(int32_t ACol) const;
  void SetColWidths(int32_t ACol, int32_t Value);
  int32_t RowHeights(int32_t ARow) const;
  void SetRowHeights(int32_t ARow, int32_t Value);  // 0 hides the row

  // The current cell.
  int32_t Col() const { return FCol; }
  void SetCol(int32_t Value);
  int32_t Row() const { return FRow; }
  void SetRow(int32_t Value);
  // The first data row on screen.
  int32_t TopRow() const;

  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);

  // True while the in-place editor is open. Setting it opens or closes the editor
  // on the current cell (closing keeps the text).
  bool EditorMode() const;
  void SetEditorMode(bool Value);
  // The in-place editor while it is open, else null.
  class QLineEdit* InplaceEditor() const;

  // The width the cells occupy: each column's width plus its one-pixel line, from
  // the first column shown, but no more than the client width.
  int32_t GridWidth() const;

  // Colours of the normal and the fixed cells.
  TColor Color = clWindow;
  TColor FixedColor = clBtnFace;

  // Events.
  std::function<void(int32_t ACol, int32_t ARow, bool& CanSelect)> OnSelectCell;
  std::function<void()> OnClick;
  std::function<void(int32_t ACol, int32_t ARow, const TRect& Rect, TGridDrawState State)>
      OnDrawCell;
  std::function<void(int32_t ACol, int32_t ARow, std::string& Value)> OnGetEditMask;
  std::function<void(int32_t ACol, int32_t ARow, std::string& Value)> OnGetEditText;
  std::function<void(int32_t ACol, int32_t ARow, const std::string& Value)> OnSetEditText;
  std::function<void(uint16_t& Key, TShiftState Shift)> OnKeyDown;
  std::function<void(char& Key)> OnKeyPress;
  std::function<void(uint16_t& Key, TShiftState Shift)> OnKeyUp;
  std::function<void(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)> OnMouseDown;
  std::function<void()> OnDblClick;

  // The canvas of the cell being drawn; valid only inside OnDrawCell.
  TCanvas* Canvas = nullptr;

  // The rectangle of a cell in viewport coordinates (fixed cells in their header's).
  TRect CellRect(int32_t ACol, int32_t ARow) const;

  TStringGridModel* Model() const { return FModel; }

 protected:
  void keyPressEvent(QKeyEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  QModelIndex moveCursor(CursorAction Action, Qt::KeyboardModifiers Modifiers) override;
  void currentChanged(const QModelIndex& Current, const QModelIndex& Previous) override;
  bool edit(const QModelIndex& Index, EditTrigger Trigger, QEvent* Event) override;
  void timerEvent(QTimerEvent* Event) override;
  // The grid has no type-ahead search: a letter either edits or does nothing.
  void keyboardSearch(const QString& Search) override;

 private:
  friend class TStringGridModel;
  friend class TStringGridDelegate;
  friend class TStringGridHeader;

  // Key handling shared by the grid and its editor; false when the key is dropped.
  bool HandleKeyDown(QKeyEvent* Event);
  bool HandleKeyPress(QKeyEvent* Event, char& Typed);
  void HandleKeyUp(QKeyEvent* Event);
  // The presses seen, for the releases: noted by the grid and its editor, taken
  // back by the release, all forgotten when the focus leaves the grid.
  void NoteKeyDown(const QKeyEvent& Event);
  bool TakeKeyDown(uint16_t Key);
  // Ctrl+Tab (or Ctrl+Shift+Tab) in a grid with goTabs: the grid and its editor
  // keep it for the key-up handler instead of moving on a cell as Tab does.
  bool IsKeptCtrlTab(const QKeyEvent& Event) const;
  // Whether the widget is the in-place editor and still open on its cell.
  bool IsOpenEditor(const QWidget* Editor) const;
  bool AskSelectCell(int32_t ACol, int32_t ARow);
  void MoveTo(int32_t ACol, int32_t ARow);  // select check, move, click
  void PressCell(QMouseEvent* Event);        // a press's work on the cells
  // The grid's own work on a press is done: tells OnMouseDown, from the widget that got it.
  void MouseDown(const QWidget* Source, const QMouseEvent* Event);
  // A double click on Source: OnDblClick, then OnMouseDown for its second press.
  void DoubleClick(const QWidget* Source, const QMouseEvent* Event);
  bool FDoubleClicking = false;     // the view handles a double click
  void SyncViewCurrent();                    // puts the view's current index on FCol/FRow
  void EditorTextEdited(int32_t ACol, int32_t ARow, const std::string& Text);
  void PaintCell(QPainter& Painter, const QRect& Rect, int32_t ACol, int32_t ARow,
                 TGridDrawState State);
  void ApplyHeaders();
  void ApplyOptions();

  TStringGridModel* FModel;
  TStringGridDelegate* FDelegate;
  TStringGridHeader* FTopHeader;
  TStringGridHeader* FLeftHeader;
  TGridOptions FOptions;
  int32_t FCol = 0;
  int32_t FRow = 0;
  int32_t FDefaultColWidth = 64;
  int32_t FDefaultRowHeight = 24;
  int32_t FSyncing = 0;           // >0 while the program moves the view's current index
  const QKeyEvent* FKeyInFlight = nullptr;  // a key the grid handled and passes to its editor
  const QKeyEvent* FPasteInFlight = nullptr; // the Ctrl+V a paste key stands for
  std::bitset<256> FKeysDown;                // by key code
  // A click on the current cell opens its editor when this runs out, unless a
  // double click, a key or a move came first.
  QBasicTimer FClickEdit;
  QPersistentModelIndex FClickEditIndex;
  // The cell the select check has just agreed to, which the view is about to make current.
  int32_t FApprovedCol = -1;
  int32_t FApprovedRow = -1;
};
