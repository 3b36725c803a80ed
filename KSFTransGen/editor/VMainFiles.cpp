// The files of the preparation form: naming and opening a file of the tree,
// discarding edits, the navigator and the files menu, saving, New, Revise, Amend
// and printing.
#include "VMain.h"

#include <QLabel>
#include <QLineEdit>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "PFiles.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "QtEnv.h"
#include "QtText.h"
#include "RMember.h"
#include "RTrans.h"
#include "StringGrid.h"
#include "TextParse.h"
#include "VOpening.h"
#include "VPrintSel.h"

namespace {

// The characters From..From+Count-1 (0-based) of Text, as far as it has them.
std::string Part(const std::string& Text, size_t From, size_t Count) {
  if (From >= Text.size()) return "";
  return Text.substr(From, Count);
}

bool FileExists(const std::string& Path) {
  std::error_code Error;
  return std::filesystem::is_regular_file(Path, Error);
}

// What lies under a transmittal's name. Only a regular file (or a link to one)
// holds members; anything else there (a folder, a link loop or a link to nothing,
// a pipe, an entry that cannot be looked at) must not open as an empty file that
// a save would then try to write over.
enum class TEntry { None, File, Other };

TEntry EntryAt(const std::string& Path) {
  struct stat Info {};
  if (::stat(Path.c_str(), &Info) == 0) return S_ISREG(Info.st_mode) ? TEntry::File : TEntry::Other;
  if (errno != ENOENT && errno != ENOTDIR) return TEntry::Other;
  return ::lstat(Path.c_str(), &Info) == 0 ? TEntry::Other : TEntry::None;
}

int32_t Clamp(int32_t Value, int32_t Low, int32_t High) {
  if (Value > High) Value = High;
  if (Value < Low) Value = Low;
  return Value;
}

}  // namespace

// The extension is the employer whose file tree this form walks, not the ID
// panel: the panel shows the open file's header, which is blank after an empty
// or unreadable file and another employer's ID in a copied-in file, and names
// built from it would lead to files that are not this employer's.
std::string TfrmTrans::MakeFileName() const {
  return std::to_string(FYear) + TwoDigitMonth(std::to_string(FMonth)) + ToStdString(lblAmend->text()) +
         ToStdString(lblRevision->text()) + "." + SelectedEmployerId;
}

std::string TwoDigitMonth(const std::string& S) {
  auto IsDigit = [](char C) { return C >= '0' && C <= '9'; };
  if (S.size() == 1) {
    if (!IsDigit(S[0])) throw Exception("Expected Month (" + S + ")");
    return "0" + S;
  }
  if (S.size() == 2) {
    if (!IsDigit(S[0]) || !IsDigit(S[1])) throw Exception("Expected Month (" + S + ")");
    return S;
  }
  throw Exception("Expected Month (" + S + ")");
}

bool IsRevisionFileName(const std::string& Name) { return Name.size() >= 8 && Name[7] > '0'; }
bool IsAmendmentFileName(const std::string& Name) { return Name.size() >= 7 && Name[6] > '0'; }

void TfrmTrans::ValidateAfterLoad(TCheckBox* Box) {
  if (!Box->Checked() && Trans->Details.Count() > 0 && !Trans->Validate()) Box->SetChecked(true);
}

void TfrmTrans::OpenNewFile() {
  FMakingFile = true;
  try {
    OpenTransmittal();
  } catch (...) {
    FMakingFile = false;
    throw;
  }
  FMakingFile = false;
}

void TfrmTrans::OpenTransmittal() {
  const std::string N = MakeFileName();
  FCurrentFile = Files->Find(N);
  std::error_code Error;
  std::filesystem::path Path = std::filesystem::absolute(AppDir + "Data/" + N, Error);
  Trans->FileName = Path.lexically_normal().string();
  Trans->Header->SetAsString(fnBatchEmployerName, ToStdString(edtEmployerName->text()));
  edtFileName->setText(ToQString(Trans->FileName));
  lblNotice->setText("Please upload the file to Secure FTP Server.");
  setWindowTitle(ToQString("KSF Transmittal - " + Trans->FileName));
  // Set before the read, so that a read that raises leaves the file protected too.
  const TEntry Entry = EntryAt(Trans->FileName);
  FPartlyRead = Entry != TEntry::None;
  bool Unwritten = false;
  std::string Failure;
  if (Entry == TEntry::Other) {
    // Nothing of it can be read: no members, read-only, with the notice below.
    ClearFreeList(&Trans->Details);
  } else if (Entry == TEntry::File) {
    if (ReadOpenFile(Failure)) ValidateAfterLoad(chbSaveError);
  } else if (FMakingFile && IsRevisionFileName(N)) {
    // A new revision: the transmittal that was open becomes its content.
    Unwritten = !SaveTransmittal();
  } else if (!FMakingFile || IsAmendmentFileName(N)) {
    // A new amendment starts without members. So does any other name that is
    // listed but not on disk, reached by moving through the files (its first save
    // failed, or it was removed), whatever its amendment: nothing was ever written
    // under it, and the members of the file open before must not pass for its
    // own, for a save to write them under the wrong month, amendment or revision.
    ClearFreeList(&Trans->Details);
  }
  // Otherwise a new report: New has just put the merged members in memory.
  RefreshGrids();
  // A copy that could not be written is on screen only: it stays being edited,
  // so that Save is offered, closing asks, and nothing is made from it.
  if (Unwritten) SetEditing(true);
  BuildFilesMenu();
  // Told once the form shows the file as it now is, read-only.
  if (!Failure.empty())
    ShowException(Failure);
  else if (FPartlyRead)
    Refuse("The file " + N + " could not be read completely. It is shown read-only, so that "
           "a save cannot drop the members that were not read.", TMsgIcon::Warning);
}

bool ReloadTransmittal() {
  if (!FileExists(Trans->FileName)) {
    ClearFreeList(&Trans->Details);
    return true;
  }
  return Trans->LoadFromFile();
}

bool TfrmTrans::ReadOpenFile(std::string& Failure) {
  FPartlyRead = true;
  try {
    FPartlyRead = !ReloadTransmittal();
  } catch (const std::exception& Error) {
    Failure = Error.what();
    ClearFreeList(&Trans->Details);
  }
  return Failure.empty();
}

bool TfrmTrans::ReloadForCancel(TCheckBox* Box) {
  const int32_t K = Trans->CurIndex;
  std::string Failure;
  if (ReadOpenFile(Failure)) ValidateAfterLoad(Box);
  const int32_t Count = Trans->Details.Count();
  Trans->CurIndex = K < Count ? K : Count - 1;
  if (!Failure.empty()) {
    // The grids must not go on showing members that are gone while the box is up.
    RefreshGrids();
    ShowException(Failure);
  }
  return !FPartlyRead;
}

void TfrmTrans::bbnCancelClick() {
  THourglass Hourglass;
  // The member the clerk picked stays current (the reread keeps its place in
  // the list), and both grids' rows go to it: the other grid's row may still
  // stand where the clerk left it before moving in this one.
  const int32_t Picked = PickedMember();
  if (Picked >= 0) Trans->CurIndex = Picked;
  if (FEditing) ReloadForCancel(chbSaveError);
  edtEmployerName->setText(ToQString(Trans->Header->GetAsString(fnBatchEmployerName)));
  const int32_t DCol = sgrDemogr->Col(), CCol = sgrContr->Col();
  RefreshGrids();
  ShowCurrentMemberInGrids();
  for (auto [Grid, Col] : {std::pair{sgrDemogr, DCol}, std::pair{sgrContr, CCol}}) {
    if (!VisibleRows.empty()) Grid->SetCol(Clamp(Col, 0, Grid->ColCount() - 1));
    Grid->SetEditorMode(false);
  }
}

// Shows the period, amendment and revision of a file of the tree and opens it.
void TfrmTrans::OpenFileOf(const TFileData* D) {
  SetPeriod(D->Month, D->Year);
  SetAmendment(D->Amendment);
  SetRevision(D->Revision);
  OpenTransmittal();
}

// Both navigator pairs: the end button opens the first or last file (a beep when
// that file is open already), the step button the file before or after the open
// one (a beep at either end).
void TfrmTrans::Navigate(bool ToEnd, TFileData* (TFileCollection::*End)(),
                         TFileData* (TFileCollection::*Step)()) {
  if (!ConfirmSave()) return;
  TFileData* D = ToEnd ? (Files->*End)() : (Files->*Step)();
  if (ToEnd && D == FCurrentFile) D = nullptr;
  if (D == nullptr) {
    Beep();
    return;
  }
  OpenFileOf(D);
}

void TfrmTrans::dbnPrevClick(TNavigateBtn Button) {
  Navigate(Button == nbFirst, &TFileCollection::First, &TFileCollection::Prior);
}

void TfrmTrans::dbnNextClick(TNavigateBtn Button) {
  Navigate(Button == nbLast, &TFileCollection::Last, &TFileCollection::Next);
}

void ClearMenuItems(TMenuItem* Item) {
  while (Item->Count() > 0) {
    std::unique_ptr<TMenuItem> Sub = Item->Extract(0);
    ClearMenuItems(Sub.get());
  }
}

void TfrmTrans::BuildFilesMenu() {
  TMenuItem& Top = pmnFiles->Items;
  if (FMenuClickDepth > 0) {
    // The item whose click is being handled must outlive its handler.
    while (Top.Count() > 0) FRetiredMenu.push_back(Top.Extract(0));
  } else {
    ClearMenuItems(&Top);
  }
  auto OnClick = [this](TMenuItem* Sender) { RunHandler([&] { FilesMenuClick(Sender); }); };
  auto Make = [&](const std::string& Name, const std::string& Text) {
    auto Item = std::make_unique<TMenuItem>(Name, Text);
    Item->OnClick = OnClick;
    return Item;
  };
  auto RevisionItems = [&](TMenuItem* Parent, TFileNest* Nest, const std::string& Prefix) {
    for (int32_t R = Nest->Revisions.Count() - 1; R >= 0; --R) {
      const std::string Number = std::to_string(Nest->Revisions[R]->Revision);
      Parent->Add(Make(Prefix + Number, R == 0 ? "Original submission" : "Revision " + Number));
    }
  };
  for (int32_t P = Files->Periods.Count() - 1; P >= 0; --P) {
    TFilePeriod* Period = Files->Periods[P];
    const std::string MM = TwoDigitMonth(std::to_string(Period->Month));
    const std::string YYYY = std::to_string(Period->Year);
    auto PeriodItem = Make("B" + MM + YYYY + "00", MonthName(Period->Month) + ", " + YYYY);
    if (Period->Amendments.Count() == 1 && Period->Amendments[0]->Revisions.Count() >= 2) {
      RevisionItems(PeriodItem.get(), Period->Amendments[0], "R" + MM + YYYY + "0");
    } else if (Period->Amendments.Count() >= 2) {
      for (int32_t A = Period->Amendments.Count() - 1; A >= 0; --A) {
        TFileNest* Nest = Period->Amendments[A];
        const std::string Number = std::to_string(Nest->Amendment);
        auto AmendItem = Make("A" + MM + YYYY + Number + "0", A == 0 ? "Report" : "Amendment " + Number);
        if (Nest->Revisions.Count() >= 2) RevisionItems(AmendItem.get(), Nest, "R" + MM + YYYY + Number);
        PeriodItem->Add(std::move(AmendItem));
      }
    }
    Top.Add(std::move(PeriodItem));
  }
}

void TfrmTrans::edtMonthYearDo() {
  QPoint At = edtMonthYear->mapToGlobal(QPoint(edtMonthYear->width() - FMenuWidth, edtMonthYear->height()));
  pmnFiles->Popup(At.x(), At.y());
}

void TfrmTrans::edtMonthYearKeyDown(uint16_t& Key, TShiftState) {
  if (Key == VK_RETURN || Key == VK_DOWN) edtMonthYearDo();
}

void TfrmTrans::FilesMenuClick(TMenuItem* Sender) {
  struct TDepth {
    TfrmTrans* Form;
    explicit TDepth(TfrmTrans* F) : Form(F) { ++Form->FMenuClickDepth; }
    ~TDepth() {
      if (--Form->FMenuClickDepth == 0) Form->FRetiredMenu.clear();
    }
  } Depth(this);
  if (Sender == nullptr || Sender->Count() > 0) return;
  const std::string Name = Sender->Name;
  int32_t Year, Month, Amendment, Revision;
  if (!TryStrToInt(Part(Name, 3, 4), Year) || !TryStrToInt(Part(Name, 1, 2), Month) ||
      !TryStrToInt(Part(Name, 7, 1), Amendment) || !TryStrToInt(Part(Name, 8, 1), Revision))
    return;
  // A typed employer name would be dropped by the opening without a word; ask
  // as the navigator buttons do.
  if (!ConfirmSave()) return;
  SetPeriod(Month, Year);
  SetAmendment(static_cast<uint16_t>(Amendment));
  SetRevision(static_cast<uint16_t>(Revision));
  OpenTransmittal();
  // On to the next control the Tab key would reach: the tree button inside the
  // box and the navigator's frame take no focus of their own.
  for (QWidget* Next = edtMonthYear->nextInFocusChain(); Next != nullptr && Next != edtMonthYear;
       Next = Next->nextInFocusChain())
    if ((Next->focusPolicy() & Qt::TabFocus) && Next->isEnabled() && Next->isVisibleTo(this)) {
      Next->setFocus();
      break;
    }
}

bool TfrmTrans::ConfirmSave() {
  if (!FEditing || ReadOnlyMode || Trans->Details.Count() == 0) return true;
  switch (Confirm("Data modified! Save?")) {
    case mrYes:
      return SaveTransmittal();
    case mrNo:
      bbnCancelClick();
      return true;
    default:
      return false;
  }
}

void TfrmTrans::ShowTotals(long double R, long double H, long double V, long double C, long double G) {
  lblRegular->setText(ToQString(FormatMoney(R)));
  lblHealth->setText(ToQString(FormatMoney(H)));
  lblVoluntary->setText(ToQString(FormatMoney(V)));
  lblContracts->setText(ToQString(FormatMoney(C)));
  lblGrandTotal->setText(ToQString(FormatMoney(G)));
}

bool TfrmTrans::SaveTransmittal() {
  THourglass Hourglass;
  // A file that could not be read whole is never written back: what was not read
  // would be lost.
  if (FPartlyRead) {
    Refuse("Coudn't save the file!", TMsgIcon::Warning);
    return false;
  }
  Trans->Header->SetAsString(fnBatchEmployerName, ToStdString(edtEmployerName->text()));
  if (FEditing && !StoreGridEdits()) return false;
  // However the save fails, the callers see one result: a write the file system
  // refused outright (a full disk, a folder that takes no file), or a total too
  // large for its trailer field, is told once, in the error box with its reason,
  // and then ends as a write that came up short does. Letting it fly past the
  // callers would skip what each of them does for a failed save, and leave a file
  // that is not on disk looking saved.
  bool Ok = false, Raised = false;
  std::string DiskError;
  try {
    Ok = Trans->SaveToFile(chbSaveError->Checked());
  } catch (const EAbort&) {
    throw;
  } catch (const Exception& Error) {
    Raised = true;
    DiskError = Error.what();
  }
  lblRecordCount->setText(ToQString(std::to_string(Trans->Details.Count())));
  TRecord* T = Trans->Trailer.get();
  ShowTotals(T->GetAsFloat(fnTotalEmplContribAmt), T->GetAsFloat(fnTotalEmplrContribAmt),
             T->GetAsFloat(fnTotalVolContribAmt), T->GetAsFloat(fnTotalCntrctPayAmt),
             T->GetAsFloat(fnTotalReceivables));
  if (Ok) {
    SetEditing(false);
    Files->AddFile(std::filesystem::path(Trans->FileName).filename().string());
    RefreshGrids();
  } else if (Raised) {
    ShowException(DiskError);
  } else {
    Refuse("Coudn't save the file!", TMsgIcon::Warning);
  }
  return Ok;
}

void TfrmTrans::bbnSaveClick() { SaveTransmittal(); }

namespace {
const char* const NewRefusal = "A new transmittal cannot be generated from an incomplete file!";
const char* const ReviseRefusal = "An incomplete transmittal cannot be revised!";
}  // namespace

// The opening steps that New, Revise and Amend share: refused while incomplete
// saves are allowed, then the save question, then the user's confirmation.
bool TfrmTrans::BeginFileCommand(const char* IncompleteRefusal, const char* Question,
                                 bool CopiesOpenFile) {
  if (chbSaveError->Checked()) {
    Refuse(IncompleteRefusal, TMsgIcon::Warning);
    return false;
  }
  if (!ConfirmSave() || Files->Periods.Count() == 0) {
    Beep();
    return false;
  }
  // Whatever the box says, a copy of a file read only in part would pass for the
  // whole file. Asked after the save question, whose No reads the file again.
  if (CopiesOpenFile && FPartlyRead) {
    Refuse(IncompleteRefusal, TMsgIcon::Warning);
    return false;
  }
  return Ask(Question);
}

// Revise and Amend work only on the employer's last reporting period; returns it
// with the information page shown, or null after the refusal.
TFilePeriod* TfrmTrans::LastPeriodOnly(const char* Refusal) {
  TFilePeriod* L = Files->Periods[Files->Periods.Count() - 1];
  if (L->Amendments.Count() == 0) {
    Beep();
    return nullptr;
  }
  if (FMonth != L->Month || FYear != L->Year) {
    Refuse(Refusal, TMsgIcon::Warning);
    return nullptr;
  }
  pgcTrans->SetActivePage(tbsTrans);
  pgcTransChange();
  return L;
}

void TfrmTrans::bbnNewClick() {
  if (!BeginFileCommand(NewRefusal,
                        "A new report will be created for the next month.\r\n"
                        "You will not be able to make revisions for the current month!\r\n"
                        "Continue?",
                        false))
    return;
  pgcTrans->SetActivePage(tbsTrans);
  pgcTransChange();
  TFilePeriod* L = Files->Periods[Files->Periods.Count() - 1];
  if (L->Amendments.Count() == 0) return;
  int32_t M = L->Month + 1, Y = L->Year;
  if (M == 7 || M == 8) M = 9;
  if (M == 13) {
    M = 1;
    ++Y;
  }
  // The month is made only of files read whole: when one of them could not be
  // (it stopped short or raised), nothing is made and the open file stays.
  bool Whole = false;
  try {
    Whole = Trans->MergeAmendments(L->Amendments, true);
  } catch (const std::exception&) {
    // The refusal below tells it: one box, and the open file is untouched.
  }
  if (!Whole) {
    Refuse(NewRefusal, TMsgIcon::Warning);
    return;
  }
  SetPeriod(M, Y);
  SetAmendment(0);
  SetRevision(0);
  Files->AddFile(MakeFileName());
  OpenNewFile();
  // A report that could not be written is on screen only: keep it being edited,
  // so Save stays offered and nothing is made from a file that is not on disk.
  if (!SaveTransmittal()) SetEditing(true);
}

void TfrmTrans::bbnReviseClick() {
  if (!BeginFileCommand(ReviseRefusal, "A new revision will be created for the current report.\r\nContinue?",
                        true))
    return;
  TFilePeriod* L = LastPeriodOnly("Revisions can be made only for the last reporting period");
  if (L == nullptr) return;
  const uint16_t OldAmendment = FAmendment, OldRevision = FRevision;
  TFileNest* A = nullptr;
  for (TFileNest* Nest : L->Amendments)
    if (Nest->Amendment == FAmendment) {
      A = Nest;
      break;
    }
  if (A == nullptr) {
    SetAmendment(0);
    A = L->Amendments[0];
  }
  // One past the newest listed revision, and past any file of that name on disk,
  // so the copy never lands on an existing file.
  const uint16_t Number = A->NextRevisionNumber();
  SetRevision(Number);
  if (Number > 9) {
    // No eleventh revision: the open file stays open and nothing is written.
    SetAmendment(OldAmendment);
    SetRevision(OldRevision);
    return;
  }
  Files->AddFile(MakeFileName());
  OpenNewFile();
}

void TfrmTrans::bbnAmendClick() {
  if (!BeginFileCommand("An incopmlete transmittal cannot be amended!",
                        "A new amendment will be created to the current report.\r\nContinue?", false))
    return;
  TFilePeriod* L = LastPeriodOnly("Amendments can be made only to the last report");
  if (L == nullptr) return;
  const uint16_t Number = L->NextAmendmentNumber();
  if (Number > 9) {
    // No eleventh amendment: the refusal is shown, the open file stays open and
    // the tree is left as it is.
    const uint16_t OldAmendment = FAmendment;
    SetAmendment(Number);
    SetAmendment(OldAmendment);
    return;
  }
  TFileData* D = L->NewAmendment();
  SetAmendment(D->Amendment);
  SetRevision(0);
  Files->AddFile(MakeFileName());
  OpenTransmittal();
  bbnEditClick();
}

void TfrmTrans::bbnPrintClick() {
  int Choice;
  {
    TfrmPrintQ Dialog(this);
    Choice = Dialog.exec();
  }
  if (Choice == mrYes) {
    TfrmReportMember Report(this);
    Report.Preview();
  } else if (Choice == mrNo) {
    TfrmReportTrans Report(this);
    Report.Preview();
  }
}
