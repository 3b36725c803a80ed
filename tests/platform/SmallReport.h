#pragma once
// A small report for the tests of the report layer: one detail band per row
// (a value that may wrap and grow, a right-aligned amount, a fixed line below
// them and a rule), on a 400 x 300 page that holds four details, so a few rows
// make several pages.

#include <string>
#include <utility>
#include <vector>

#include "Report.h"
#include "ReportExport.h"
#include "ReportLabel.h"

struct TSmallReport {
  struct TRow {
    std::string Value;
    std::string Amount;
  };

  explicit TSmallReport(std::vector<TRow> ARows, bool WithFilters = true) : Rows(std::move(ARows)) {
    Report.Page = {400, 300, 40, 20, 20, 20};  // content 340 wide, 260 high
    Header = new TReportBand(&Report, TReportBandType::PageHeader, "Header");
    Header->Height = 30;
    Title = AddReportLabel(Header, {"lblTitle", "Small Report", 0, 4, 0, 20, 12, fsBold,
                                    TReportAlignment::Left, false, true});
    Columns = new TReportBand(&Report, TReportBandType::ColumnHeader, "Columns");
    Columns->Height = 20;
    Columns->Color = clSilver;
    AddReportLabel(Columns, {"lblValueTitle", "Value", 0, 2, 0, 17, 10, fsBold,
                             TReportAlignment::Left, false, false});
    Detail = new TReportBand(&Report, TReportBandType::Detail, "Detail");
    Detail->Height = 45;
    Value = AddReportLabel(Detail, {"lblValue", nullptr, 0, 2, 150, 17, 10, 0,
                                    TReportAlignment::Left, true, false});
    Amount = AddReportLabel(Detail, {"lblAmount", nullptr, 200, 2, 100, 17, 10, 0,
                                     TReportAlignment::Right, false, false});
    Below = AddReportLabel(Detail, {"lblBelow", "below", 0, 22, 150, 17, 10, 0,
                                    TReportAlignment::Left, false, false});
    Rule = new TReportRule(Detail, "Rule");
    Rule->Top = 40;
    Rule->Width = 340;
    Rule->Height = 4;
    Summary = new TReportBand(&Report, TReportBandType::Summary, "Summary");
    Summary->Height = 25;
    Summary->FrameTop = true;
    Count = AddReportLabel(Summary, {"lblCount", nullptr, 0, 4, 0, 17, 10, fsBold,
                                     TReportAlignment::Left, false, false});
    Footer = new TReportBand(&Report, TReportBandType::PageFooter, "Footer");
    Footer->Height = 20;
    PageNumber = new TReportPageNumber(Footer, "PageNumber");
    PageNumber->Left = 300;
    PageNumber->Top = 2;
    if (WithFilters) {
      new TReportTextFilter(&Report, "TextFilter");
      new TReportCSVFilter(&Report, "CSVFilter");
    }
    Report.OnBeforePrint = [this](TReport*, bool& PrintReport) {
      PrintReport = !Cancel;
      Next = 0;
      Count->Caption = std::to_string(Rows.size()) + " rows";
    };
    Report.OnNeedData = [this](TReport*, bool& MoreData) {
      ++NeedDataCalls;
      MoreData = Next < Rows.size();
      if (!MoreData) return;
      Value->Caption = Rows[Next].Value;
      Amount->Caption = Rows[Next].Amount;
      ++Next;
    };
  }

  // Rows "Row 1", "Row 2", ... with amounts "$1.00", "$2.00", ...
  static std::vector<TRow> Numbered(int Count) {
    std::vector<TRow> Result;
    for (int I = 1; I <= Count; ++I)
      Result.push_back({"Row " + std::to_string(I), "$" + std::to_string(I) + ".00"});
    return Result;
  }

  TReport Report{nullptr, "qrSmall"};
  TReportBand* Header;
  TReportBand* Columns;
  TReportBand* Detail;
  TReportBand* Summary;
  TReportBand* Footer;
  TReportLabel* Title;
  TReportLabel* Value;
  TReportLabel* Amount;
  TReportLabel* Below;
  TReportLabel* Count;
  TReportRule* Rule;
  TReportPageNumber* PageNumber;

  std::vector<TRow> Rows;
  size_t Next = 0;
  int NeedDataCalls = 0;
  bool Cancel = false;
};
