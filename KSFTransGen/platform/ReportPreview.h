#pragma once
// The preview window of a report run: one page at a time, painted when shown,
// with first/prior/next/last page, a page number to type, zoom to the page's
// width or to the whole page, Print through the print dialog and Save through
// the save dialog with the report's export filters.
//
// Keys: Page Down / Page Up for the next and prior page, Ctrl+Home and Ctrl+End
// for the first and last; Esc closes. Printing and saving show a progress window
// with Cancel once a job runs for more than half a second; the window keeps
// repainting meanwhile, its own commands wait, and closing it cancels the job.
// A print or save that fails says why in the default error box.

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

#include "ReportLayout.h"

class QLabel;
class QScrollArea;
class QSpinBox;
class QToolButton;
class TReport;
class TReportPageView;

class TReportPreview : public QDialog {
  Q_OBJECT
 public:
  // Shows the report's last run; the report must outlive the window.
  TReportPreview(const TReport& Report, QWidget* Parent = nullptr);
  ~TReportPreview() override;

  enum class TZoom { PageWidth, WholePage };

  // The run it shows.
  const TReportLayout& Layout() const { return FLayout; }
  int32_t PageIndex() const { return FPageIndex; }  // 0-based
  int32_t PageCount() const;
  void SetPageIndex(int32_t Index);                  // kept within the pages
  TZoom Zoom() const { return FZoom; }
  void SetZoom(TZoom Zoom);
  // Screen pixels to a unit of the page at the present zoom.
  double Scale() const { return FScale; }
  // True while printing or saving.
  bool Busy() const { return FBusy; }

  void Print();
  void Save();

  QToolButton* btnFirst = nullptr;
  QToolButton* btnPrior = nullptr;
  QSpinBox* edtPage = nullptr;
  QLabel* lblPageCount = nullptr;
  QToolButton* btnNext = nullptr;
  QToolButton* btnLast = nullptr;
  QToolButton* btnZoomWidth = nullptr;
  QToolButton* btnZoomPage = nullptr;
  QToolButton* btnPrint = nullptr;
  QToolButton* btnSave = nullptr;
  QToolButton* btnClose = nullptr;
  QScrollArea* scrPage = nullptr;
  TReportPageView* pnlPage = nullptr;

 protected:
  void reject() override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  // Runs a job of Total pages with the progress window; false when it failed
  // or was cancelled.
  bool RunJob(const QString& Caption, int32_t Total,
              const std::function<bool(const TReportProgress&)>& Job);
  void UpdateScale();
  void UpdateControls();

  const TReport& FReport;
  const TReportLayout& FLayout;
  int32_t FPageIndex = 0;
  TZoom FZoom = TZoom::PageWidth;
  double FScale = 1;
  bool FBusy = false;
  bool FCancelRequested = false;
};

// The page the preview shows, painted from the layout whenever it is exposed.
class TReportPageView : public QWidget {
  Q_OBJECT
 public:
  TReportPageView(const TReportLayout& Layout, QWidget* Parent);
  void ShowPage(int32_t PageIndex, double Scale);
  // The grey border around the paper, in screen pixels.
  static constexpr int Border = 12;

 protected:
  void paintEvent(QPaintEvent* Event) override;

 private:
  const TReportLayout& FLayout;
  int32_t FPageIndex = 0;
  double FScale = 1;
};
