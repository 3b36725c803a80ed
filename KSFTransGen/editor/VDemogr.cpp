#include "VDemogr.h"

TfrmMbrDetail* frmMbrDetail = nullptr;

// The member detail form's fields and checks come with the member commands.
TfrmMbrDetail::TfrmMbrDetail(QWidget* Owner) : QDialog(Owner) {
  setObjectName("frmMbrDetail");
  setWindowTitle("Member Detail");
}

std::string GetCurrentFieldStr(const std::string&) { return ""; }
double GetCurrentFieldFloat(const std::string&) { return 0; }
TDateTime GetCurrentFieldDate(const std::string&) { return 0; }
void SetCurrentFieldStr(const std::string&, const std::string&) {}
