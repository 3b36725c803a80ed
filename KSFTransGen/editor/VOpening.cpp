#include "VOpening.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <filesystem>
#include <memory>
#include <system_error>

#include "Calendar.h"
#include "Controls.h"
#include "PFiles.h"
#include "PTransShort.h"
#include "QtEnv.h"
#include "QtText.h"
#include "Scaling.h"
#include "Utils.h"
#include "VEmpName.h"
#include "VMain.h"

TfrmOpening* frmOpening = nullptr;
std::string SelectedEmployerId;

namespace {

// Ends the notice to employers who have not yet sent their June 2004 file.
const char* const JuneNotice =
    "You will have to use the older version of the software to create the June 2004 file!!! "
    "Please go to our website to download and install the earlier version. If you need any "
    "help, contact KSF at (555) 010-4400 (Employer Help Desk, Monday to Friday, 8:00 AM to "
    "5:00 PM).";

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

}  // namespace

TfrmOpening::TfrmOpening(QWidget* Parent) : TForm(Parent) {
  setObjectName("frmOpening");
  FormCreate();
}

TfrmOpening::~TfrmOpening() {
  if (frmOpening == this) frmOpening = nullptr;
}

void TfrmOpening::FormCreate() {
  HeaderOnly = false;
  MeasureScreenDPI(this);
  BuildLayout();
  ScaleWindow(*this, 330, 121);
  setFixedSize(size());
}

void TfrmOpening::BuildLayout() {
  setWindowTitle("KSF Transmittal Software V3");
  SetFixedDialogFrame(*this);

  Label1 = new QLabel("Welcome to KSF Transmittal Software V3.", this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceScaled(Label1, 20, 10, 229, 23);

  Label2 = new QLabel("Please select an employer ID from the list or enter a new one.", this);
  Label2->setObjectName("Label2");
  Label2->setWordWrap(true);
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceScaled(Label2, 20, 29, 229, 33);

  lblIds = new QLabel("&Employer ID : ", this);
  lblIds->setObjectName("lblIds");
  PlaceScaled(lblIds, 20, 69, 90, 16);

  cmbIds = new QComboBox(this);
  cmbIds->setObjectName("cmbIds");
  cmbIds->setEditable(true);
  // Typed IDs never join the list; the list holds only what the data folder has.
  cmbIds->setInsertPolicy(QComboBox::NoInsert);
  cmbIds->setDuplicatesEnabled(false);
  // No completion from the list: a partly typed ID must stay partial, so Open
  // stays disabled until three digits are typed instead of opening the listed
  // employer the completion picked.
  cmbIds->setCompleter(nullptr);
  PlaceScaled(cmbIds, 20, 92, 129, 21);
  lblIds->setBuddy(cmbIds);

  bbnOpen = new TBitBtn("&Open", this);
  bbnOpen->setObjectName("bbnOpen");
  bbnOpen->SetGlyph(TGlyph::Open);
  PlaceScaled(bbnOpen, 264, 92, 60, 23);

  bbnHelp = new TBitBtn("&Help", this);
  bbnHelp->setObjectName("bbnHelp");
  bbnHelp->SetGlyph(TGlyph::Help);
  PlaceScaled(bbnHelp, 264, 51, 60, 23);

  bbnCancel = new TBitBtn("E&xit", this);
  bbnCancel->setObjectName("bbnCancel");
  bbnCancel->SetGlyph(TGlyph::Exit);
  PlaceScaled(bbnCancel, 264, 10, 60, 23);

  setTabOrder(cmbIds, bbnOpen);
  setTabOrder(bbnOpen, bbnHelp);
  setTabOrder(bbnHelp, bbnCancel);

  SetDefaultButton(bbnOpen);
  SetCancelButton(bbnCancel);
  KeyPreview = true;

  bbnOpen->OnClick = [this] { bbnOpenClick(); };
  bbnHelp->OnClick = [this] { bbnHelpClick(); };
  bbnCancel->OnClick = [this] { bbnCancelClick(); };
  connect(cmbIds, &QComboBox::editTextChanged, this, [this] { RunHandler([this] { cmbIdsChange(); }); });
  OnShow = [this] { FormShow(); };
  OnKeyDown = [this](uint16_t& Key, TShiftState Shift) { FormKeyDown(Key, Shift); };
  OnClose = [this] {
    FClosed = true;
    emit Closed();
  };
}

void TfrmOpening::FormShow() {
  Beep();

  uint16_t Year = 0, Month = 0, Day = 0;
  DecodeDate(Date(), Year, Month, Day);
  if (Year == 2004 && Month >= 1 && Month <= 10) {
    int Answer = MessageBox("Have you Transmitted your June 2004 file ?",
                            "KSF Transmittal Software V2", TMsgButtons::YesNo, TMsgIcon::Question);
    if (Answer != mrYes) {
      TMessageRequest Notice;
      Notice.Kind = TMsgKind::MessageDialog;
      Notice.Caption = ApplicationTitle();
      Notice.Text = JuneNotice;
      Notice.Buttons = TMsgButtons::OK;
      Env().Message(Notice);
      // Closing from inside the showing would fight the showing itself; the
      // close runs as soon as the showing is over, and ends the run.
      QMetaObject::invokeMethod(this, [this] { Close(); }, Qt::QueuedConnection);
    }
  }

  cmbIds->clear();
  cmbIds->clearEditText();
  std::error_code Error;
  for (std::filesystem::directory_iterator It(DataDir(), Error), End; !Error && It != End;
       It.increment(Error))
    AddEmployerId(It->path().filename().string());
  if (cmbIds->count() > 0) cmbIds->setCurrentIndex(0);
  cmbIdsChange();
}

void TfrmOpening::AddEmployerId(const std::string& Path) {
  std::string Name = Path.substr(Path.find_last_of('/') + 1);
  if (Name.size() != 12) return;
  size_t Dot = Name.find_last_of('.');
  if (Dot == std::string::npos) return;
  std::string Extension = Name.substr(Dot + 1);
  if (Extension.size() != 3) return;
  for (char C : Extension)
    if (!IsDigit(C)) return;
  const QString Id = ToQString(Extension);
  // The list keeps itself in ascending order, each ID once.
  int Index = 0;
  while (Index < cmbIds->count()) {
    const int Order = QString::compare(cmbIds->itemText(Index), Id);
    if (Order == 0) return;
    if (Order > 0) break;
    ++Index;
  }
  cmbIds->insertItem(Index, Id);
}

void TfrmOpening::cmbIdsChange() {
  const std::string Text = ToStdString(cmbIds->currentText());
  bool Valid = Text.size() == 3;
  for (char C : Text)
    if (!IsDigit(C)) Valid = false;
  bbnOpen->setEnabled(Valid);
}

bool TfrmOpening::NewEmployer() {
  NewEmployerId = ToStdString(cmbIds->currentText());
  auto Dialog = std::make_unique<TfrmEmpName>(this);
  frmEmpName = Dialog.get();
  const bool Created = Dialog->ShowModal() == mrOk;
  Dialog.reset();
  frmEmpName = nullptr;
  return Created;
}

void TfrmOpening::bbnOpenClick() {
  const QString Typed = cmbIds->currentText();
  bool Known = false;
  for (int i = 0; i < cmbIds->count() && !Known; ++i) Known = cmbIds->itemText(i) == Typed;
  if (!Known && !NewEmployer()) {
    Beep();
    return;
  }
  // The preparation form puts the normal cursor back once it has opened the
  // newest file. Its showing is over when the form is shown, so the normal cursor
  // is put back here too: a newest file that could not be opened ends the showing
  // early, and the hourglass must not outlast it.
  SetScreenCursor(crHourGlass);
  SelectedEmployerId = ToStdString(Typed);
  struct TNormalCursorAfter {
    ~TNormalCursorAfter() { SetScreenCursor(crDefault); }
  } NormalCursorAfter;
  OpenPreparationForm();
  hide();
}

void TfrmOpening::bbnCancelClick() { Close(); }

void TfrmOpening::bbnHelpClick() { Env().OpenHelp(); }

void TfrmOpening::FormKeyDown(uint16_t& Key, TShiftState /*Shift*/) {
  if (Key != VK_F1) return;
  Key = 0;
  bbnHelpClick();
}

void OpenPreparationForm() {
  frmTrans = new TfrmTrans(nullptr);
  frmTrans->show();
  frmTrans->repaint();
}
