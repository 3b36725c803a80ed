#include "ReportPainter.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

#include "ReportBand.h"
#include "ReportLabel.h"

namespace {

// The fonts a painting uses, made once for every font and size of the labels
// rather than once for every label: a long print draws a million labels with
// a handful of fonts.
class TFontCache {
 public:
  const QFont& Get(const TReportFont& Font, double Pixels, QPaintDevice* Device) {
    for (const TEntry& E : FEntries)
      if (E.Font == &Font && E.Pixels == Pixels) return E.QtFont;
    FEntries.push_back({&Font, Pixels, ToQFont(Font, Pixels, Device->logicalDpiY())});
    return FEntries.back().QtFont;
  }

 private:
  struct TEntry {
    const TReportFont* Font;
    double Pixels;
    QFont QtFont;
  };
  std::deque<TEntry> FEntries;
};

struct TPaintState {
  TFontCache Fonts;
  TReportTextSetting Setting;
};

void PaintLabel(QPainter& Painter, const TLaidItem& Item, double Scale, QPointF Origin,
                TPaintState& State) {
  const auto& Label = static_cast<const TReportLabel&>(*Item.Item);
  TReportTextSetting& Setting = State.Setting;
  SetLaidText(Item, Setting);
  const int32_t Shown = VisibleReportLines(Label.Font, Setting, Item.Height);
  if (Shown == 0) return;

  const TReportMetrics& Metrics = TReportMetrics::Of(Label.Font);
  // The font's em on the device is seldom a whole number of pixels, and Qt
  // would round it (a 25-letter name at the preview's zoom grew 5% and ran into
  // the amount beside it). The text is drawn at the nearest whole size and
  // scaled to the exact one, so every line is as wide as the layout measured
  // it, on the screen as on paper, and ends where the layout placed it.
  const double EmPixels = Label.Font.Size * 96.0 / 72.0 * Setting.Scale * Scale;
  const double Pixels = std::max(1.0, std::round(EmPixels));
  const double ToExact = EmPixels / Pixels;
  Painter.setFont(State.Fonts.Get(Label.Font, Pixels, Painter.device()));
  Painter.setPen(ToQColor(Label.Font.Color));
  const double Spacing = Metrics.LineSpacing() * Setting.Scale;
  const double Ascent = Metrics.Ascent() * Setting.Scale;
  const QTransform World = Painter.transform();
  for (int32_t I = 0; I < Shown; ++I) {
    const std::string_view Text = Setting.Lines[static_cast<size_t>(I)];
    const QString Line = QString::fromLatin1(Text.data(), static_cast<qsizetype>(Text.size()));
    const double Width = Setting.Widths[static_cast<size_t>(I)];
    double Left = Item.TextLeft;
    if (Label.Alignment == TReportAlignment::Right)
      Left = Item.TextLeft + Item.TextWidth - Width;
    else if (Label.Alignment == TReportAlignment::Center)
      Left = Item.TextLeft + (Item.TextWidth - Width) / 2.0;
    const double Baseline = Origin.y() + (Item.Top + I * Spacing + Ascent) * Scale;
    Painter.setTransform(QTransform(ToExact, 0, 0, ToExact, Origin.x() + Left * Scale, Baseline) *
                         World);
    Painter.drawText(QPointF(0, 0), Line);
  }
  Painter.setTransform(World);
}

void PaintRule(QPainter& Painter, const TLaidItem& Item, double Scale, QPointF Origin) {
  const auto& Rule = static_cast<const TReportRule&>(*Item.Item);
  Painter.setPen(QPen(ToQColor(Rule.Color), std::max(1.0, Scale)));
  const double Y = Origin.y() + (Item.Top + Item.Height / 2.0) * Scale;
  Painter.drawLine(QPointF(Origin.x() + Item.Left * Scale, Y),
                   QPointF(Origin.x() + (Item.Left + Item.Width) * Scale, Y));
}

void PaintPage(QPainter& Painter, const TReportLayout& Layout, int32_t PageIndex, double Scale,
               QPointF Origin, TPaintState& State) {
  Painter.save();
  Painter.setRenderHint(QPainter::Antialiasing);
  Painter.setRenderHint(QPainter::TextAntialiasing);
  const TReportPage& Page = Layout.Page;
  for (const TLaidBand& Band : Layout.Bands(PageIndex)) {
    const QRectF Strip(Origin.x() + Page.LeftMargin * Scale, Origin.y() + Band.Top * Scale,
                       Page.ContentWidth() * Scale, Band.Height * Scale);
    if (Band.Band->Color != clWhite) Painter.fillRect(Strip, ToQColor(Band.Band->Color));
    if (Band.Band->FrameTop) {
      Painter.setPen(QPen(Qt::black, std::max(1.0, Scale)));
      Painter.drawLine(Strip.topLeft(), Strip.topRight());
    }
    const int32_t Count = Layout.ItemCount(Band);
    for (int32_t K = 0; K < Count; ++K) {
      const TLaidItem Item = Layout.Item(Band, K);
      if (Item.Item->Kind() == TReportItemKind::Rule)
        PaintRule(Painter, Item, Scale, Origin);
      else
        PaintLabel(Painter, Item, Scale, Origin, State);
    }
  }
  Painter.restore();
}

}  // namespace

void PaintReportPage(QPainter& Painter, const TReportLayout& Layout, int32_t PageIndex,
                     double Scale, QPointF Origin) {
  TPaintState State;
  PaintPage(Painter, Layout, PageIndex, Scale, Origin, State);
}

QImage RenderReportPage(const TReportLayout& Layout, int32_t PageIndex, int Dpi) {
  const double Scale = Dpi / 96.0;
  QImage Image(static_cast<int>(Layout.Page.Width * Scale + 0.5),
               static_cast<int>(Layout.Page.Height * Scale + 0.5), QImage::Format_RGB32);
  const int DotsPerMeter = static_cast<int>(Dpi / 0.0254 + 0.5);
  Image.setDotsPerMeterX(DotsPerMeter);
  Image.setDotsPerMeterY(DotsPerMeter);
  Image.fill(Qt::white);
  QPainter Painter(&Image);
  PaintReportPage(Painter, Layout, PageIndex, Scale);
  return Image;
}

void SetUpReportPrinter(QPrinter& Printer, const TReportPage& Page) {
  Printer.setPageSize(QPageSize(QSizeF(Page.Width / 96.0, Page.Height / 96.0), QPageSize::Inch,
                                QString(), QPageSize::FuzzyMatch));
  Printer.setPageOrientation(QPageLayout::Portrait);
  Printer.setFullPage(true);
  Printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
}

bool PrintReport(const TReportLayout& Layout, QPrinter& Printer, int32_t First, int32_t Last,
                 const TReportProgress& Progress, std::string& Error) {
  Error.clear();
  First = std::max(First, 0);
  Last = std::min(Last, Layout.PageCount() - 1);
  if (First > Last) {
    Error = "There is no page to print.";
    return false;
  }
  QPainter Painter;
  if (!Painter.begin(&Printer)) {
    Error = "The printer could not be started.";
    return false;
  }
  const double Scale = Printer.logicalDpiX() / 96.0;
  // A printer's own system makes the copies and the reverse order chosen in the
  // print dialog; a PDF file has nobody else to do it, so the run prints each
  // copy (whole reports when collated, else each page over) in the chosen order.
  std::vector<int32_t> Sheets;
  const bool ToFile = Printer.outputFormat() == QPrinter::PdfFormat;
  const int32_t Copies = ToFile ? std::max(1, Printer.copyCount()) : 1;
  const bool Collate = Printer.collateCopies();
  const bool Reverse = ToFile && Printer.pageOrder() == QPrinter::LastPageFirst;
  for (int32_t Copy = 0; Copy < (Collate ? Copies : 1); ++Copy)
    for (int32_t K = 0; K <= Last - First; ++K)
      Sheets.insert(Sheets.end(), static_cast<size_t>(Collate ? 1 : Copies),
                    Reverse ? Last - K : First + K);
  const auto Total = static_cast<int32_t>(Sheets.size());
  TPaintState State;
  for (int32_t Sheet = 0; Sheet < Total; ++Sheet) {
    if (Sheet > 0 && !Printer.newPage()) {
      Error = "The printer stopped before the last page.";
      Printer.abort();
      return false;
    }
    PaintPage(Painter, Layout, Sheets[static_cast<size_t>(Sheet)], Scale, {}, State);
    if (Progress && !Progress(Sheet + 1, Total)) {
      // Cancelled: nothing half-printed goes to the printer or stays on disk.
      const QString File = Printer.outputFileName();
      Printer.abort();
      if (Painter.isActive()) Painter.end();
      if (!File.isEmpty()) QFile::remove(File);
      return false;
    }
  }
  if (!Painter.end()) {
    Error = "The printer could not finish the job.";
    return false;
  }
  return true;
}
