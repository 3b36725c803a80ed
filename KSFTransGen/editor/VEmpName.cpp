#include "VEmpName.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <filesystem>
#include <memory>
#include <system_error>

#include "Controls.h"
#include "Env.h"
#include "MaskEdit.h"
#include "PFiles.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "QtText.h"
#include "Scaling.h"
#include "Utils.h"

TfrmEmpName* frmEmpName = nullptr;
std::string NewEmployerId;

namespace {

// HeaderOnly is set for one forced save and must never stay set: a later
// validation would then skip every member.
class THeaderOnlyScope {
 public:
  THeaderOnlyScope() { HeaderOnly = true; }
  ~THeaderOnlyScope() { HeaderOnly = false; }
  THeaderOnlyScope(const THeaderOnlyScope&) = delete;
  THeaderOnlyScope& operator=(const THeaderOnlyScope&) = delete;
};

}  // namespace

TfrmEmpName::TfrmEmpName(QWidget* Owner) : TForm(Owner) {
  setObjectName("frmEmpName");
  FormCreate();
}

TfrmEmpName::~TfrmEmpName() {
  if (frmEmpName == this) frmEmpName = nullptr;
}

void TfrmEmpName::FormCreate() {
  HeaderOnly = false;
  // Measured by the selection window already; a dialog made first measures it itself
  // rather than shrink to nothing.
  MeasureScreenDPI(this);
  BuildLayout();
  ScaleWindow(*this, 445, 166);
  setFixedSize(size());
}

void TfrmEmpName::BuildLayout() {
  setWindowTitle("KSF - Employer Name");
  SetFixedDialogFrame(*this);

  lblEmpName = new QLabel(this);
  lblEmpName->setObjectName("lblEmpName");
  PlaceScaled(lblEmpName, 20, 9, 349, 24);

  edtEmpName = new QLineEdit(this);
  edtEmpName->setObjectName("edtEmpName");
  PlaceScaled(edtEmpName, 20, 38, 349, 21);
  lblEmpName->setBuddy(edtEmpName);

  gbxPeriod = new QGroupBox("First reporting period", this);
  gbxPeriod->setObjectName("gbxPeriod");
  PlaceScaled(gbxPeriod, 20, 72, 349, 85);

  lblMonth = new QLabel("&Month : ", gbxPeriod);
  lblMonth->setObjectName("lblMonth");
  PlaceScaled(lblMonth, 20, 21, 98, 16);

  cmbMonth = new QComboBox(gbxPeriod);
  cmbMonth->setObjectName("cmbMonth");
  cmbMonth->setEditable(false);
  // The school year, September to June: July and August have no report.
  for (const char* Month : {"09", "10", "11", "12", "01", "02", "03", "04", "05", "06"})
    cmbMonth->addItem(Month);
  cmbMonth->setMaxVisibleItems(10);
  PlaceScaled(cmbMonth, 20, 41, 98, 21);
  lblMonth->setBuddy(cmbMonth);

  lblYear = new QLabel("&Year : ", gbxPeriod);
  lblYear->setObjectName("lblYear");
  PlaceScaled(lblYear, 207, 21, 81, 16);

  mskYear = new TMaskEdit(gbxPeriod);
  mskYear->setObjectName("mskYear");
  mskYear->SetEditMask("0000;1;_");
  PlaceScaled(mskYear, 207, 41, 81, 21);
  lblYear->setBuddy(mskYear);

  bbnCancel = new TBitBtn("E&xit", this);
  bbnCancel->setObjectName("bbnCancel");
  bbnCancel->SetGlyph(TGlyph::Exit);
  bbnCancel->SetModalResult(mrCancel);
  PlaceScaled(bbnCancel, 380, 2, 60, 21);

  bbnOpen = new TBitBtn("&Open", this);
  bbnOpen->setObjectName("bbnOpen");
  bbnOpen->SetGlyph(TGlyph::Open);
  PlaceScaled(bbnOpen, 380, 137, 60, 21);

  setTabOrder(edtEmpName, cmbMonth);
  setTabOrder(cmbMonth, mskYear);
  setTabOrder(mskYear, bbnCancel);
  setTabOrder(bbnCancel, bbnOpen);

  SetCancelButton(bbnCancel);
  SetDefaultButton(bbnOpen);
  bbnOpen->OnClick = [this] { bbnOpenClick(); };
  OnShow = [this] { FormShow(); };
}

void TfrmEmpName::FormShow() {
  lblEmpName->setText(
      ToQString("&Enter the employer name for employer " + NewEmployerId + " : "));
  edtEmpName->clear();
  mskYear->SetText(std::to_string(CurrentYear()));
  cmbMonth->setCurrentIndex(0);
}

void TfrmEmpName::bbnOpenClick() {
  const std::string Name = ToStdString(edtEmpName->text());
  if (Name.empty()) {
    Refuse("The employer name is required!");
    edtEmpName->setFocus();
    return;
  }
  const std::string Year = mskYear->Text();
  if (!IsValidYear(Year)) {
    Refuse("Invalid year!");
    mskYear->setFocus();
    return;
  }
  const std::string Month = ToStdString(cmbMonth->currentText());
  if (!WriteFirstTransmittal(NewEmployerId, Name, Month, Year)) {
    // A file that was not written must not pass for a created employer: the
    // selection window would go on to open an employer without any file.
    Refuse("Coudn't save the file!");
    return;
  }
  SetModalResult(mrOk);
}

bool WriteFirstTransmittal(const std::string& EmployerId, const std::string& EmployerName,
                           const std::string& Month, const std::string& Year) {
  auto First = std::make_unique<TTransShort>();
  std::error_code Ignored;
  std::filesystem::create_directories(AppDir + "Data", Ignored);
  First->FileName = DataDir() + Year + Month + "00." + EmployerId;
  First->Header->SetAsString(fnEmployerID, EmployerId);
  First->Header->SetAsString(fnBatchEmployerName, EmployerName);
  First->Header->SetAsString(fnBatchMonth, Month);
  First->Header->SetAsString(fnBatchYear, Year);
  THeaderOnlyScope HeaderOnlySave;
  return First->SaveToFile(true);
}
