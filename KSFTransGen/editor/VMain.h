#pragma once
// The transmittal preparation form: the editor's working window. It shows one
// transmittal file of the chosen employer at a time (period, amendment,
// revision, employer, file path, members in two grids, totals) and offers the
// file commands: navigation, New, Revise, Amend, Save, Print and Help.
//
// Closing this window ends the program.
//
// The unit's sources, one concern each: VMain.cpp the window and its states,
// VMainLayout.cpp its controls, VMainFiles.cpp opening, navigating, saving, New,
// Revise, Amend and printing, VMainGrids.cpp the member grids (their columns are
// the tables at its top), VMainMembers.cpp the member commands.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Controls.h"
#include "Forms.h"
#include "GridColumns.h"
#include "Keys.h"
#include "PageControl.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;

class TFileData;
class TFilePeriod;
class TFileCollection;
class TfrmMbrDetail;
class TStringGrid;
class TTransShort;

class TfrmTrans : public TForm {
  Q_OBJECT

 public:
  // Creates the form (FormCreate): the employer's file tree for
  // SelectedEmployerId, the empty transmittal and the member detail form.
  explicit TfrmTrans(QWidget* Owner = nullptr);
  ~TfrmTrans() override;

  // ---- fields, in their declared order ----
  bool FCanPrint = true;
  bool FCanCreate = true;
  int32_t FMenuWidth = 0;
  TFileData* FCurrentFile = nullptr;  // not owned; an entry of Files
  uint16_t FMonth = 0;
  uint16_t FYear = 0;
  uint16_t FSchoolPeriod = 0;
  uint16_t FFiscalYear = 0;
  uint16_t FAmendment = 0;
  uint16_t FRevision = 0;
  bool FEditing = false;

  // What the open file is, for the message window's export name.
  uint16_t Year() const { return FYear; }
  uint16_t Month() const { return FMonth; }
  uint16_t Amendment() const { return FAmendment; }
  uint16_t Revision() const { return FRevision; }

  // ---- controls (each carries its name as objectName) ----
  TPageControl* pgcTrans = nullptr;
  TTabSheet* tbsTrans = nullptr;
  TTabSheet* tbsDemogr = nullptr;
  TTabSheet* tbsContr = nullptr;
  QGroupBox* gbxReport = nullptr;
  QLabel* lblData = nullptr;
  TDBNavigator* dbnPrev = nullptr;
  QLineEdit* edtMonthYear = nullptr;
  TBitBtn* bbnTree = nullptr;
  TDBNavigator* dbnNext = nullptr;
  QLabel* lblAmend = nullptr;
  QLabel* lblRevision = nullptr;
  QLabel* lblPeriod = nullptr;
  QLabel* lblFiscYear = nullptr;
  QGroupBox* gbxEmployerData = nullptr;
  QLabel* pnlEmpId = nullptr;
  QLineEdit* edtEmployerName = nullptr;
  QGroupBox* gbxFileName = nullptr;
  QLineEdit* edtFileName = nullptr;
  QGroupBox* gbxVersion = nullptr;
  QLabel* lblKSF = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* Label1 = nullptr;
  QGroupBox* gbxNotice = nullptr;
  QLabel* lblNotice = nullptr;
  TStringGrid* sgrDemogr = nullptr;
  TStringGrid* sgrContr = nullptr;
  QWidget* pnlBtns = nullptr;
  TBitBtn* bbnExit = nullptr;
  TBitBtn* bbnNew = nullptr;
  TBitBtn* bbnAmend = nullptr;
  TBitBtn* bbnRevise = nullptr;
  TBitBtn* bbnPrint = nullptr;
  TBitBtn* bbnSave = nullptr;
  TBitBtn* bbnHelp = nullptr;
  QWidget* pnlBottomBtns = nullptr;
  TBitBtn* bbnCancel = nullptr;
  TBitBtn* bbnEdit = nullptr;
  TBitBtn* bbnInsert = nullptr;
  TBitBtn* bbnSort = nullptr;
  TBitBtn* bbnSearch = nullptr;
  TBitBtn* bbnShowErr = nullptr;
  TBitBtn* bbnShowAll = nullptr;
  QFrame* pnlTotals = nullptr;
  QLabel* lblRecordCount = nullptr;
  QLabel* lblRegular = nullptr;
  QLabel* lblHealth = nullptr;
  QLabel* lblVoluntary = nullptr;
  QLabel* lblContracts = nullptr;
  QLabel* lblGrandTotal = nullptr;
  QWidget* pnlStatus = nullptr;
  // Panels: 0 the filter, 1 the sort, 2 "Read Only".
  TStatusBar* StatusBar = nullptr;
  QWidget* pnlAllow = nullptr;
  TCheckBox* chbSaveError = nullptr;
  std::unique_ptr<TPopupMenu> pmnFiles;

  // ---- the window ----
  void FormCreate();
  void FormShow();
  bool FormCloseQuery();
  void FormClose();
  // May the page change (asked before a change the user makes).
  bool pgcTransChanging();
  void pgcTransChange();
  void bbnExitClick();
  void bbnCancelClick();
  // Reads the open file again, as both Cancels do to drop unsaved edits: the
  // current member stays where it was (the last one when fewer are left), and
  // Box, the Cancel's own allow-incomplete-saves box, is ticked when the file
  // fails its checks. A read that stops short or raises leaves the form
  // read-only from its next refresh, as opening the file would, and an error is
  // shown once; False then. The caller refreshes the grids.
  bool ReloadForCancel(TCheckBox* Box);
  void edtEmployerChange();
  void chbSaveErrorClick();

  void SetPeriod(int32_t Month, int32_t Year);
  void SetAmendment(uint16_t Value);
  void SetRevision(uint16_t Value);
  std::string MakeFileName() const;
  void OpenTransmittal();
  bool IsLastPeriod() const;
  bool IsLatestVersion() const;
  void SetEditing(bool Value);

  // ---- file navigation, New, Revise, Amend, save, print, help ----
  void dbnPrevClick(TNavigateBtn Button);
  void dbnNextClick(TNavigateBtn Button);
  void BuildFilesMenu();
  void edtMonthYearDo();
  void edtMonthYearKeyDown(uint16_t& Key, TShiftState Shift);
  void FilesMenuClick(TMenuItem* Sender);
  bool ConfirmSave();
  bool SaveTransmittal();
  void bbnSaveClick();
  void bbnNewClick();
  void bbnReviseClick();
  void bbnAmendClick();
  void bbnPrintClick();
  void bbnHelpClick();
  void FormKeyDown(uint16_t& Key, TShiftState Shift);

  // ---- member grids ----
  void SetUpGrids();
  void RefreshGrids();
  void SyncGridSelection();
  // Copies the cells the clerk changed into their members. False, once told
  // why, when a changed amount is no number (nothing is stored then, and the
  // cell is made current) or when copying raised.
  bool StoreGridEdits();
  // The handlers of both grids; Sender is the grid whose event it is, and its
  // columns' table (DemogrColumns, ContrColumns) decides what each column does.
  void sgrClick(TStringGrid* Sender);
  bool sgrSelectCell(TStringGrid* Sender, int32_t ACol, int32_t ARow);
  void sgrDrawCell(TStringGrid* Sender, int32_t ACol, int32_t ARow, const TRect& Rect);
  std::string sgrGetEditMask(TStringGrid* Sender, int32_t ACol, int32_t ARow) const;
  std::string sgrGetEditText(TStringGrid* Sender, int32_t ACol, int32_t ARow) const;
  void sgrSetEditText(TStringGrid* Sender, int32_t ACol, int32_t ARow, const std::string& Value);
  // Key handlers; KeyPress and KeyDown raise EAbort to drop the key.
  void sgrKeyDown(TStringGrid* Sender, uint16_t& Key, TShiftState Shift);
  void sgrKeyPress(TStringGrid* Sender, char& Key);
  void sgrKeyUp(TStringGrid* Sender, uint16_t& Key, TShiftState Shift);

  // ---- member commands below the grids ----
  void bbnInsertClick();
  void bbnEditClick();
  void bbnSortClick();
  void bbnSearchClick();
  void bbnShowErrClick();
  void bbnShowAllClick();
  // Saves pending grid edits before a member command, incomplete saves allowed
  // for that one save; the allow-incomplete-saves box keeps its state and the
  // grids their current cells. False when the save failed: the command must not
  // go on, and the form stays in its editing state, so nothing typed is lost.
  bool CommitGridEdits();
  // A press on a grid: one on the title row sorts by the column under it.
  void sgrDemogrMouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void sgrContrMouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  // A double click on a data row opens the member in the detail form.
  void sgrDblClick();
  // Shows the member detail form modally, for the current member or, with
  // InsertMode, for a new one; then takes back its allow-incomplete-saves state
  // and refills the grids on the member it showed last.
  void ShowMemberDetail();

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  void BuildLayout();
  // What the form works on, owned here: the employer's file tree, the
  // transmittal in memory and the member detail form. OpenSession makes them
  // anew for SelectedEmployerId and points the globals Files, Trans and
  // frmMbrDetail at them; CloseSession clears those globals (where they are
  // still this form's) and frees them. Only these two touch the globals.
  void OpenSession();
  void CloseSession();
  std::unique_ptr<TFileCollection> FFiles;
  std::unique_ptr<TTransShort> FTrans;
  std::unique_ptr<TfrmMbrDetail> FMbrDetail;
  // Ticks Box when the transmittal just read has members and fails its checks.
  void ValidateAfterLoad(TCheckBox* Box);
  // Reads the open file. Whether it stops short or raises, it fails one way: the
  // file is marked partly read, so that the next refresh shows it read-only and
  // no save writes it back. After an error nothing read is kept (it may be the
  // members of the file shown before, or values that cannot be kept), and
  // Failure holds its text, for the caller to tell once the grids show that.
  // False after an error.
  bool ReadOpenFile(std::string& Failure);
  void ShowTotals(long double R, long double H, long double V, long double C, long double G);
  // CopiesOpenFile: the command makes its file from the open one, which must then
  // have been read whole.
  bool BeginFileCommand(const char* IncompleteRefusal, const char* Question, bool CopiesOpenFile);
  // Opens the entry New or Revise has just added to the tree: only then may a
  // file that is not on disk yet take over the transmittal in memory.
  void OpenNewFile();
  void OpenFileOf(const TFileData* D);
  void Navigate(bool ToEnd, TFileData* (TFileCollection::*End)(), TFileData* (TFileCollection::*Step)());
  // The member the clerk picked: the one in the current row of the grid on the
  // page shown, or the current member while the first page is shown. -1 when
  // there is none.
  int32_t PickedMember() const;
  // Puts the current row of both grids on the current member, when it is shown;
  // the columns stay.
  void ShowCurrentMemberInGrids();
  // Makes a data cell current, as the clerk would pick it: its page shown, its
  // member current and both grids' rows on that member.
  void SelectGridCell(TStringGrid* Grid, int32_t Col, int32_t Row);
  bool FMakingFile = false;
  // The open file's last read stopped short of its end (or raised).
  bool FPartlyRead = false;
  TFilePeriod* LastPeriodOnly(const char* Refusal);
  bool FShown = false;
  bool FClosed = false;
  // Menu items replaced while one of them is being handled; freed afterwards.
  std::vector<std::unique_ptr<TMenuItem>> FRetiredMenu;
  int FMenuClickDepth = 0;
};

// The one preparation form; null once it has closed.
extern TfrmTrans* frmTrans;
// Entry k: the index in Trans->Details of the member shown in grid row k + 1.
extern std::vector<int32_t> VisibleRows;
// The open file may not be changed.
extern bool ReadOnlyMode;
// The member detail form opens for a new member.
extern bool InsertMode;
// The last mouse press in either grid hit the title row.
extern bool HeaderClicked;
// A key press was let through by that grid since its last key release.
extern bool DemogrKeyDownSeen;
extern bool ContrKeyDownSeen;

// The columns of the member grids, in column order: sgrDemogr's and sgrContr's.
extern const TGridColumns DemogrColumns;
extern const TGridColumns ContrColumns;

// "0" + S for a single digit; two digits unchanged; anything else is a programming error.
std::string TwoDigitMonth(const std::string& S);
// The revision (8th) or amendment (7th) digit of a bare file name is above "0".
bool IsRevisionFileName(const std::string& Name);
bool IsAmendmentFileName(const std::string& Name);
// Reads Trans again from its file, as both Cancels do to drop unsaved edits. A
// file that is not on disk (a new amendment, or a report or revision whose first
// save failed) has nothing to go back to: it reads as no members, as opening it
// does, instead of raising. False when the file was not read completely.
bool ReloadTransmittal();
// Removes and frees every sub-item of Item, deepest first.
void ClearMenuItems(TMenuItem* Item);
// Makes the column under X (pixels from the grid's left edge, scrolling
// counted) the grid's current column; the last column when X is beyond them all.
void SelectColumnAt(TStringGrid* Grid, int32_t X);
// The position of Trans->CurIndex in VisibleRows, 0 when it is not there.
int32_t CurrentGridRow();
// The program's version text from its own file; empty without version information.
std::string GetFileVersionText(const std::string& FileName);
std::string GetProgramVersion();
