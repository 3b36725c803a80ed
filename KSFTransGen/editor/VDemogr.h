#pragma once
// The member detail form: one member of the open transmittal, shown and edited
// field by field. Opened modally by the member commands of the preparation form,
// for the current member or for a new one (InsertMode). It steps through the
// visible members, inserts, deletes and saves; every save checks the member
// (unless incomplete saves are allowed) and rewrites the whole file through the
// preparation form's save.
//
// Modes: 'B' browsing a saved member, 'E' editing it, 'A' a new member not yet
// in the list, 'I' a new member already in the list but not saved.
//
// Its sources, one concern each:
// - VDemogr.cpp: creation and showing, the modes (one table), change tracking,
//   the allow-incomplete-saves box, help, exit, the focus moves and the
//   current-member accessors.
// - VDemogrLayout.cpp: the controls at their design places, one table.
// - VDemogrRecord.cpp: a blank new member, record to form and back, stepping
//   through the visible members (one table for the four buttons).
// - VDemogrCommands.cpp: the save question, saving, Insert, Delete, Cancel and
//   the close query.
// - VDemogrChecks.cpp: the member checks, one table in their order.
// - VDemogrAmounts.cpp: the amounts grid (its rows a TGridColumn table), its
//   drawing, keys and change rule; the date and address exit rules.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "Controls.h"
#include "Env.h"
#include "Forms.h"
#include "GridColumns.h"
#include "Keys.h"
#include "PageControl.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;
class TMaskEdit;
class TRecord;
class TStringGrid;
struct TReadProblem;
struct TRect;

// The area code a new member starts with (the default state's capital region).
inline const std::string DefaultAreaCode = "518";

class TfrmMbrDetail : public TForm {
  Q_OBJECT

 public:
  explicit TfrmMbrDetail(QWidget* Owner);
  ~TfrmMbrDetail() override;

  // ---- state ----
  char Mode = 'B';
  // The SSN box's text as last loaded from a record; empty for a new member.
  std::string OldSSN;

  // ---- controls (each carries its name as objectName) ----
  TBitBtn* bbnHelp = nullptr;
  TBitBtn* bbnExit = nullptr;
  QLabel* lblSSN = nullptr;
  TMaskEdit* mskSSN = nullptr;
  QGroupBox* gbxName = nullptr;
  QComboBox* cmbNamePrefix = nullptr;
  TMaskEdit* edtLastName = nullptr;
  TMaskEdit* edtFirstName = nullptr;
  TMaskEdit* edtMiddleName = nullptr;
  QComboBox* cmbSuffix = nullptr;
  TPageControl* pgcDetail = nullptr;
  TTabSheet* tbsDemogr = nullptr;
  TTabSheet* tbsContr = nullptr;
  TMaskEdit* edtAddress1 = nullptr;
  TMaskEdit* edtAddress2 = nullptr;
  TMaskEdit* edtCity = nullptr;
  QComboBox* cmbState = nullptr;
  TMaskEdit* mskZip = nullptr;
  TMaskEdit* mskZip4 = nullptr;
  TMaskEdit* edtEffDate = nullptr;
  QComboBox* cmbGender = nullptr;
  TMaskEdit* edtBirthDate = nullptr;
  QComboBox* cmbMarital = nullptr;
  TMaskEdit* edtEmail = nullptr;
  TMaskEdit* mskAreaCode = nullptr;
  TMaskEdit* mskPhone = nullptr;
  TMaskEdit* mskPhoneExt = nullptr;
  QLabel* lblAmounts = nullptr;
  TStringGrid* stgAmt = nullptr;
  TBitBtn* bbnFirst = nullptr;
  TBitBtn* bbnPrior = nullptr;
  TBitBtn* bbnNext = nullptr;
  TBitBtn* bbnLast = nullptr;
  TBitBtn* bbnInsert = nullptr;
  TBitBtn* bbnDel = nullptr;
  TBitBtn* bbnSave = nullptr;
  TBitBtn* bbnCancel = nullptr;
  // Panels: 0 the mode, 1 "Read Only".
  TStatusBar* stbMessage = nullptr;
  TCheckBox* chbSaveError = nullptr;

  // ---- the window ----
  void FormCreate();
  void FormShow();
  // Shows the open file as ReadOnlyMode says: on a read-only file nothing of a
  // member can be typed, inserted or deleted, and the status bar says so. A
  // blank new member there is browsed, not inserted: nothing can be pending.
  void ApplyReadOnlyMode();
  bool FormCloseQuery();
  void FormKeyDown(uint16_t& Key, TShiftState Shift);
  void bbnExitClick();
  void bbnHelpClick();
  void chbSaveErrorClick();

  // ---- modes and change tracking ----
  void SetMode(char Value);
  bool IsEditing() const { return Mode != 'B'; }
  void OnChange();
  void mskSSNChange();

  // ---- the record and the form ----
  void SetupAmountGrid();
  void ClearFields();
  void RecordToForm();
  void FormToRecord();

  // ---- navigation and commands ----
  bool SeekVisibleForward();
  bool SeekVisibleBackward();
  void bbnFirstClick();
  void bbnPriorClick();
  void bbnNextClick();
  void bbnLastClick();
  bool ConfirmSave();
  bool SaveRecord();
  void bbnSaveClick();
  void bbnInsertClick();
  void bbnDelClick();
  void bbnCancelClick();

  // ---- the amounts grid and the exit rules ----
  void stgAmtDrawCell(int32_t ACol, int32_t ARow, const TRect& Rect);
  void stgAmtKeyDown(uint16_t& Key, TShiftState Shift);
  void stgAmtSetEditText(int32_t ACol, int32_t ARow, const std::string& Value);
  void edtDateExit(TMaskEdit* Box);
  void OnAddressExit(QWidget* Control);

  // ---- checks ----
  // Runs every member check in order; at the first failure it has shown its
  // message, moved the focus to the field and returns false.
  bool ValidateRecord();

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  void BuildLayout();
  void BuildAmountGrid();
  void Navigate(int Which);
  // Appends a record for the new member, stores the form into it (mode I) and
  // refreshes the grids; on an error the record is taken out again.
  bool AddNewRecord();
  // The amounts grid's column 1 from the current record, blank, or back into it
  // (all rows, or only those whose text differs from what LoadAmounts would put there now).
  void LoadAmounts();
  void ClearAmounts();
  void StoreAmounts(bool All);
  // The first amount row whose text is no number, which its field would store
  // as 0; -1 when every row holds a number.
  int32_t FirstUnstorableAmount() const;
  // Refuses the save for that row's text: the amounts page with the row
  // current, and a box naming the member and the text.
  void RefuseUnstorableAmount(int32_t Row);
  // Set while the program itself loads the SSN box: no change rule then.
  bool FLoading = false;
  // The SSN box held nine digits at its last change: a key that changes a full
  // box does not complete it.
  bool FSSNComplete = false;
  // The member shown has been told that the month could not be read whole; a
  // clerk typing over the number must not meet the notice at every key.
  bool FToldUnread = false;

  // A save writes back only what the clerk changed, because a box cannot show
  // every value a file may hold (an SSN with a letter, a date or an amount
  // written another way, a code no list row has): storing what it shows instead
  // would change the member on disk without a word. "Changed" is measured
  // against what RecordToForm would show for the member as it is now, never
  // against a copy taken when it was shown: after a refused save the member
  // already holds the edit, and a value typed back to what it was must then be
  // stored.
  //
  // The member the controls were last loaded from (its identity only); null for
  // a new member, whose every box is stored.
  const TRecord* FShownRecord = nullptr;
  // The code lists in which the clerk has picked a row since the last loading.
  // Only read for a stored code that no row has: that code is shown as row 0,
  // and a clerk who picks row 0 there has chosen it.
  std::set<const QComboBox*> FPicked;
  // The current member is the one the controls were loaded from.
  bool ShowsLoadedRecord() const;
  // The control shows another value than RecordToForm would put into it for
  // the current member as it is now.
  bool ListChanged(const QComboBox* List) const;
  bool BoxChanged(const TMaskEdit* Box) const;
  bool AmountChanged(int32_t Row) const;
};

// The one member detail form, owned by the preparation form; null outside its life.
extern TfrmMbrDetail* frmMbrDetail;

// One field, by record field name, of the current member (Trans->Details at
// Trans->CurIndex). Without a current member: the empty text, 0, 0, or nothing.
std::string GetCurrentFieldStr(const std::string& FieldName);
double GetCurrentFieldFloat(const std::string& FieldName);
TDateTime GetCurrentFieldDate(const std::string& FieldName);
void SetCurrentFieldStr(const std::string& FieldName, const std::string& Value);
// A typed cell text differs from the current member's field behind the column,
// compared as the column's cell text says; a text that does not convert (a date
// or number that is none, an empty gender) differs. A last-and-first-name cell
// is never compared.
bool CurrentFieldDiffers(const TGridColumn& Column, const std::string& Typed);

// The focus moves of the member checks. FocusOn: page 'C' shows the contribution
// page, 'D' the demographic page, any other letter leaves the page; then the
// control takes the focus when it can. FocusRow: shows the contribution page and
// makes the row current in the amounts grid, without moving the focus. Both are
// always true.
bool FocusOn(QWidget* Control, char Page);
bool FocusRow(int32_t Row);

// ---- the member checks ----
// The generic checkers: each trims the text and is true when it passes; on a
// failure it beeps, shows Message and is false.
bool IsNotEmpty(const std::string& Text, const std::string& Message);
bool IsValidName(const std::string& Text, const std::string& Message);
bool IsValidAddress(const std::string& Text, const std::string& Message);
// Digits > 0: exactly that many digits; 0: a signed integer.
bool IsValidNumber(const std::string& Text, int32_t Digits, const std::string& Message);
bool IsValidDate(const std::string& Text, const std::string& Message);
bool IsValidFloat(const std::string& Text, bool Positive, const std::string& Message);

// The field checks: each takes the untrimmed text of its control and shows one
// message on a failure.
// Nine digits, occurring no more than AllowedCount times in the month's saved files.
// Unread, when given, receives the month's files that could not be read whole:
// their members that could be read are counted, the rest were not seen.
bool ValidateSSN(const std::string& SSN, int32_t AllowedCount,
                 std::vector<TReadProblem>* Unread = nullptr);
// The notice that SSN was checked against the month's files but these could
// not be read whole: each file and why, then what that means for the check.
std::string UnreadMonthNotice(const std::string& SSN, const std::vector<TReadProblem>& Unread);
// Shows that notice when Unread holds a file; true when it was shown.
bool TellUnreadMonth(const std::string& SSN, const std::vector<TReadProblem>& Unread);
bool ValidateLastName(const std::string& Text);
bool ValidateFirstName(const std::string& Text);
bool ValidateAddress(const std::string& Text);
bool ValidateCity(const std::string& Text);
bool ValidateZip(const std::string& Text);
bool ValidateZip4(const std::string& Text);
bool ValidateEffDate(const std::string& Text);
bool ValidateBirthDate(const std::string& Text);
bool ValidateAreaCode(const std::string& Text);
bool ValidatePhone(const std::string& Text);
bool ValidatePhoneExt(const std::string& Text);
bool ValidatePensionable(const std::string& Text);
bool ValidateEarnable(const std::string& Text);
bool ValidateFTE(const std::string& Text, double Pensionable, double Earnable);
bool ValidateRegular(const std::string& Text, double Pensionable);
bool ValidateHealth(const std::string& Text, double Pensionable);
bool ValidateVoluntary(const std::string& Text);
bool ValidateContract(const std::string& Text);
