// The member detail form and the current member record: a blank new member,
// loading the record into the controls, storing the controls into the record,
// and stepping through the visible members.

#include <QComboBox>

#include "Calendar.h"
#include "MaskEdit.h"
#include "PCodeTable.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "StringGrid.h"
#include "VDemogr.h"

namespace {

using F = TfrmMbrDetail;

// The four code lists store a row's numeric value, the state list its key.
struct TCodeField {
  QComboBox* F::*List;
  int32_t Group;
  bool ByKey;
  const std::string& Field;
};

const TCodeField CodeFields[] = {
    {&F::cmbNamePrefix, cgNamePrefix, false, fnNamePrefix},
    {&F::cmbSuffix, cgNameSuffix, false, fnNameSuffix},
    {&F::cmbGender, cgGender, false, fnGenderCD},
    {&F::cmbMarital, cgMaritalStatus, false, fnMaritalStatusCD},
    {&F::cmbState, cgState, true, fnAddressState},
};

// The code a list row stands for in the record: its value, or the state's key.
std::string CodeOfRow(const TCodeField& C, int32_t Row) {
  return C.ByKey ? GetCodeKey(C.Group, Row) : GetCodeValue(C.Group, Row);
}

// The row a list shows for a stored code; a code no row has shows row 0.
int32_t RowOfCode(const TCodeField& C, const std::string& Code) {
  return C.ByKey ? IndexOfCodeKey(C.Group, Code) : IndexOfCodeValue(C.Group, Code);
}

// The boxes after the SSN, in the order they are loaded and stored.
struct TBoxField {
  TMaskEdit* F::*Box;
  const std::string& Field;
};

const TBoxField BoxFields[] = {
    {&F::edtLastName, fnLastName},
    {&F::edtFirstName, fnFirstName},
    {&F::edtMiddleName, fnMiddleName},
    {&F::edtBirthDate, fnBirthDate},
    {&F::mskAreaCode, fnPhoneAreaCode},
    {&F::mskPhone, fnPhoneNumber},
    {&F::mskPhoneExt, fnExtension},
    {&F::edtEmail, fnAddressEMail},
    {&F::edtEffDate, fnAddressEffectiveDate},
    {&F::edtAddress1, fnAddressLine1},
    {&F::edtAddress2, fnAddressLine2},
    {&F::edtCity, fnAddressCity},
    {&F::mskZip, fnAddressZip},
    {&F::mskZip4, fnAddressZip4},
};

// The navigation buttons: where each stops with a beep, where it goes, and
// which way it looks for a visible member from there.
enum class TIndexAt { First, Current, Last };

struct TNavRow {
  TIndexAt StopAt;  // beep and stop when the current index is already here
  TIndexAt Base;    // the target: this index ...
  int32_t Offset;   // ... plus this
  bool Forward;
};

const TNavRow NavTable[] = {
    {TIndexAt::First, TIndexAt::First, 0, true},      // First
    {TIndexAt::First, TIndexAt::Current, -1, false},  // Prior
    {TIndexAt::Last, TIndexAt::Current, 1, true},     // Next
    {TIndexAt::Last, TIndexAt::Last, 0, false},       // Last
};

int32_t IndexAt(TIndexAt At) {
  switch (At) {
    case TIndexAt::First:
      return 0;
    case TIndexAt::Current:
      return Trans->CurIndex;
    case TIndexAt::Last:
      return Trans->Details.Count() - 1;
  }
  return 0;
}

// Clears a flag on every way out.
struct TFlagScope {
  bool& Flag;
  explicit TFlagScope(bool& F) : Flag(F) { Flag = true; }
  ~TFlagScope() { Flag = false; }
};

}  // namespace

void TfrmMbrDetail::ClearFields() {
  for (TMaskEdit* Box : {mskSSN, edtLastName, edtFirstName, edtMiddleName, edtBirthDate})
    Box->SetText("");
  mskAreaCode->SetText(DefaultAreaCode);
  for (TMaskEdit* Box : {mskPhone, mskPhoneExt, edtEmail}) Box->SetText("");
  edtEffDate->SetText(DateToStr(Date()));
  for (TMaskEdit* Box : {edtAddress1, edtAddress2, edtCity, mskZip, mskZip4}) Box->SetText("");
  ClearAmounts();
  for (QComboBox* List : {cmbNamePrefix, cmbSuffix, cmbGender, cmbMarital})
    List->setCurrentIndex(0);
  cmbState->setCurrentIndex(IndexOfCodeKey(cgState, DefaultState));
  OldSSN.clear();
  FToldUnread = false;
  // A new member has nothing on disk to keep: the save stores every box.
  FShownRecord = nullptr;
  FPicked.clear();
  SetMode('A');
}

void TfrmMbrDetail::RecordToForm() {
  if (Trans == nullptr || Trans->CurIndex < 0 || Trans->CurIndex >= Trans->Details.Count()) {
    ClearFields();
    return;
  }
  for (const TCodeField& C : CodeFields)
    (this->*C.List)->setCurrentIndex(RowOfCode(C, GetCurrentFieldStr(C.Field)));
  {
    TFlagScope Loading(FLoading);
    mskSSN->SetText(GetCurrentFieldStr(fnMemberSSN));
  }
  for (const TBoxField& B : BoxFields) (this->*B.Box)->SetText(GetCurrentFieldStr(B.Field));
  LoadAmounts();
  if (FShownRecord != Trans->Details[Trans->CurIndex]) FToldUnread = false;
  FShownRecord = Trans->Details[Trans->CurIndex];
  FPicked.clear();
  SetMode('B');
  OldSSN = mskSSN->Text();
}

bool TfrmMbrDetail::ShowsLoadedRecord() const {
  return FShownRecord != nullptr && Trans != nullptr && Trans->CurIndex >= 0 &&
         Trans->CurIndex < Trans->Details.Count() &&
         Trans->Details[Trans->CurIndex] == FShownRecord;
}

// A list is changed when it shows another row than the current member's code
// would show. A code that no row has is shown as row 0 and kept on disk while
// the clerk leaves the list alone; once the clerk picks a row there, even row 0
// itself, that row's code is what they chose, and it is stored.
bool TfrmMbrDetail::ListChanged(const QComboBox* List) const {
  for (const TCodeField& C : CodeFields) {
    if (this->*C.List != List) continue;
    const std::string Stored = GetCurrentFieldStr(C.Field);
    const int32_t Row = RowOfCode(C, Stored);
    const bool Known = CodeOfRow(C, Row) == Stored;
    return List->currentIndex() != Row || (!Known && FPicked.count(List) > 0);
  }
  return true;
}

// A box is changed when its text differs from what the box makes of the
// current member's field. A value typed and then typed back to what the box
// shows for the member is no change, so the member keeps what is on disk, also
// where the box could not show all of it.
bool TfrmMbrDetail::BoxChanged(const TMaskEdit* Box) const {
  if (Box == mskSSN) return Box->Text() != Box->TextFor(GetCurrentFieldStr(fnMemberSSN));
  for (const TBoxField& B : BoxFields)
    if (this->*B.Box == Box) return Box->Text() != Box->TextFor(GetCurrentFieldStr(B.Field));
  return true;
}

void TfrmMbrDetail::FormToRecord() {
  // A new member, or a member other than the one shown, takes every box.
  const bool All = !ShowsLoadedRecord();
  for (const TCodeField& C : CodeFields) {
    QComboBox* List = this->*C.List;
    if (All || ListChanged(List)) SetCurrentFieldStr(C.Field, CodeOfRow(C, List->currentIndex()));
  }
  if (All || BoxChanged(mskSSN)) SetCurrentFieldStr(fnMemberSSN, mskSSN->Text());
  for (const TBoxField& B : BoxFields)
    if (All || BoxChanged(this->*B.Box)) SetCurrentFieldStr(B.Field, (this->*B.Box)->Text());
  StoreAmounts(All);
}

// ---------------------------------------------------------------------------
// Visible members and navigation
// ---------------------------------------------------------------------------

namespace {
bool SeekVisible(int32_t Step) {
  if (Trans == nullptr || Trans->Details.Count() == 0) return false;
  const int32_t Remembered = Trans->CurIndex;
  int32_t& I = Trans->CurIndex;
  const int32_t Count = Trans->Details.Count();
  while (I >= 0 && I < Count && !Trans->Details[I]->Visible) I += Step;
  if (I >= 0 && I < Count) return true;
  I = Remembered;
  return false;
}
}  // namespace

bool TfrmMbrDetail::SeekVisibleForward() { return SeekVisible(1); }
bool TfrmMbrDetail::SeekVisibleBackward() { return SeekVisible(-1); }

void TfrmMbrDetail::Navigate(int Which) {
  const TNavRow& Row = NavTable[Which];
  if (Trans == nullptr) return;
  // The raw index, not visibility: under a filter First on the first visible
  // member that is not record 0 still asks and shows the same member again.
  if (Trans->CurIndex == IndexAt(Row.StopAt)) {
    Beep();
    return;
  }
  if (Trans->Details.Count() == 0 || !ConfirmSave()) return;
  const int32_t Remembered = Trans->CurIndex;
  Trans->CurIndex = IndexAt(Row.Base) + Row.Offset;
  if (!(Row.Forward ? SeekVisibleForward() : SeekVisibleBackward())) {
    Trans->CurIndex = Remembered;
    Beep();
    return;
  }
  RecordToForm();
  mskSSN->setFocus();
}

void TfrmMbrDetail::bbnFirstClick() { Navigate(0); }
void TfrmMbrDetail::bbnPriorClick() { Navigate(1); }
void TfrmMbrDetail::bbnNextClick() { Navigate(2); }
void TfrmMbrDetail::bbnLastClick() { Navigate(3); }
