#include "ReportBand.h"

#include "Report.h"

TReportBand::TReportBand(TReport* Report, TReportBandType BandType, const char* Name)
    : QObject(Report), FReport(Report), FBandType(BandType) {
  if (Name != nullptr) setObjectName(QString::fromLatin1(Name));
  Report->FBands.push_back(this);
}
