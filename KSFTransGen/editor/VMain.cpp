#include "VMain.h"

#include <QCloseEvent>
#include <QShowEvent>

TfrmTrans* frmTrans = nullptr;
std::vector<int32_t> VisibleRows;
bool ReadOnlyMode = false;
bool InsertMode = false;
bool DemogrKeyDownSeen = false;
bool ContrKeyDownSeen = false;

// First cut: the window exists and can be shown; its behaviour follows.
TfrmTrans::TfrmTrans(QWidget* Owner) : TForm(Owner) {
  setObjectName("frmTrans");
  setWindowTitle("Transmittal Preparation Form");
}

TfrmTrans::~TfrmTrans() {
  if (frmTrans == this) frmTrans = nullptr;
}


std::string TwoDigitMonth(const std::string& S) { return S.size() == 1 ? "0" + S : S; }
bool IsRevisionFileName(const std::string& Name) { return Name.size() >= 8 && Name[7] > '0'; }
bool IsAmendmentFileName(const std::string& Name) { return Name.size() >= 7 && Name[6] > '0'; }
int32_t CurrentGridRow() { return 0; }
std::string GetFileVersionText(const std::string&) { return ""; }
std::string GetProgramVersion() { return ""; }
