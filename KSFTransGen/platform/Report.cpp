#include "Report.h"

#include "QtEnv.h"
#include "ReportExport.h"
#include "ReportPreview.h"

TReport::TReport(QObject* Owner, const char* Name) : QObject(Owner) {
  if (Name != nullptr) setObjectName(QString::fromLatin1(Name));
}

TReport::~TReport() = default;

TReportBand* TReport::BandOf(TReportBandType BandType) const {
  for (TReportBand* Band : FBands)
    if (Band->BandType() == BandType) return Band;
  return nullptr;
}

std::vector<TReportExportFilter*> TReport::Filters() const {
  std::vector<TReportExportFilter*> Result;
  for (QObject* Child : children())
    if (auto* Filter = qobject_cast<TReportExportFilter*>(Child)) Result.push_back(Filter);
  return Result;
}

bool TReport::Prepare() {
  FLayout.Clear();
  bool PrintReport = true;
  if (OnBeforePrint) OnBeforePrint(this, PrintReport);
  if (!PrintReport) return false;
  FLayout.Build(*this);
  return true;
}

void TReport::Preview(QWidget* Parent) {
  {
    THourglass Busy;
    if (!Prepare()) return;
  }
  TReportPreview Window(*this, Parent);
  Window.exec();
}
