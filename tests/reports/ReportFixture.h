#pragma once
// The open transmittal for the report tests: Trans points, for the fixture's
// lifetime, at an in-memory transmittal of Lakeside School for September 2004
// with the members a test adds; the clock says 2004-09-15.

#include <QtTest>
#include <memory>
#include <string>

#include "FakeEnv.h"
#include "KSFUnits.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "ReportProbe.h"
#include "TransFixtures.h"

struct TReportTrans {
  TReportTrans() : FOld(Trans) {
    Env.SetToday(2004, 9, 15);
    Trans = &T;
    FillValidHeader(T);
  }
  ~TReportTrans() { Trans = FOld; }
  TReportTrans(const TReportTrans&) = delete;
  TReportTrans& operator=(const TReportTrans&) = delete;

  // A valid member (prefix Mr., no suffix, no middle name, Albany NY 12207).
  TRecord* Add(const std::string& SSN, const std::string& Last, const std::string& First = "John") {
    TRecord* R = AddMember(T, SSN, Last);
    R->SetAsString(fnFirstName, First);
    return R;
  }
  // Members 1..Count with SSNs 100000001.. and last names Member1.., all valid.
  void AddMany(int Count) {
    for (int I = 1; I <= Count; ++I)
      Add(std::to_string(100000000 + I), "Member" + std::to_string(I));
  }

  // The trailer's totals over every member, visible or not, as the form computes them.
  void Totals() {
    const std::string* Pairs[][2] = {{&fnContribEmployeePreTax, &fnTotalEmplContribAmt},
                                     {&fnContribEmployerPreTax, &fnTotalEmplrContribAmt},
                                     {&fnContribVoluntaryPostTax, &fnTotalVolContribAmt},
                                     {&fnContribContractPostTax, &fnTotalCntrctPayAmt}};
    double Grand = 0;
    for (const auto& Pair : Pairs) {
      double Sum = 0;
      for (const TRecord* R : T.Details) Sum += R->GetAsFloat(*Pair[0]);
      T.Trailer->SetAsFloat(*Pair[1], Sum);
      Grand += Sum;
    }
    T.Trailer->SetAsFloat(fnTotalReceivables, Grand);
  }

  TFakeEnv Env;
  TTransShort T;

 private:
  TTransShort* FOld;
};
