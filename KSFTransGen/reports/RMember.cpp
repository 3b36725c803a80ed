#include "RMember.h"

TfrmReportMember::TfrmReportMember(QWidget* Owner) : FOwner(Owner) {}

// The report's bands and preview arrive with the reports; until then it shows nothing.
void TfrmReportMember::Preview() {}
