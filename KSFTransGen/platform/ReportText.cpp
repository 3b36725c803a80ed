#include "ReportText.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Fonts are measured at 75 times their size in units (an em of Size * 100
// pixels), where rounding the pixel size and the advances costs nothing.
constexpr double MeasureScale = 75;
constexpr double Overhang = ReportTextOverhang;

bool IsBlank(char Ch) { return Ch == ' '; }

}  // namespace

QFont ToQFont(const TReportFont& Font, double PixelSize, int DeviceDpi) {
  QFont Result;
  if (Font.Name == "Arial")
    Result.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  else
    Result.setFamilies({QString::fromStdString(Font.Name)});
  Result.setPointSizeF(PixelSize * 72.0 / (DeviceDpi > 0 ? DeviceDpi : 96));
  Result.setBold((Font.Style & fsBold) != 0);
  Result.setItalic((Font.Style & fsItalic) != 0);
  Result.setUnderline((Font.Style & fsUnderline) != 0);
  Result.setHintingPreference(QFont::PreferNoHinting);
  Result.setKerning(false);
  Result.setStyleStrategy(QFont::PreferOutline);
  return Result;
}

TReportMetrics::TReportMetrics(const TReportFont& Font) {
  QImage Reference(1, 1, QImage::Format_ARGB32);
  Reference.setDotsPerMeterX(3780);  // 96 dots per inch
  Reference.setDotsPerMeterY(3780);
  const double EmUnits = Font.Size * 96.0 / 72.0;
  const QFontMetricsF Metrics(ToQFont(Font, EmUnits * MeasureScale, 96), &Reference);
  for (int Ch = 0; Ch < 256; ++Ch)
    FAdvance[Ch] = Metrics.horizontalAdvance(QChar(static_cast<char16_t>(Ch))) / MeasureScale;
  FAscent = Metrics.ascent() / MeasureScale;
  FDescent = Metrics.descent() / MeasureScale;
  FLineSpacing = Metrics.lineSpacing() / MeasureScale;
}

const TReportMetrics& TReportMetrics::Of(const TReportFont& Font) {
  struct TEntry {
    TReportFont Font;
    std::unique_ptr<TReportMetrics> Metrics;
  };
  static std::vector<TEntry> Cache;
  for (const TEntry& E : Cache)
    if (E.Font.Name == Font.Name && E.Font.Size == Font.Size && E.Font.Style == Font.Style)
      return *E.Metrics;
  Cache.push_back({Font, std::unique_ptr<TReportMetrics>(new TReportMetrics(Font))});
  return *Cache.back().Metrics;
}

double TReportMetrics::Width(std::string_view Text) const {
  double Sum = 0;
  for (char Ch : Text) Sum += FAdvance[static_cast<unsigned char>(Ch)];
  return Sum;
}

void SetReportText(const TReportFont& Font, std::string_view Text, double Width, bool WordWrap,
                   TReportTextSetting& Out) {
  Out.Scale = 1;
  Out.Lines.clear();
  Out.Widths.clear();
  if (Text.empty()) return;
  const TReportMetrics& M = TReportMetrics::Of(Font);

  if (!WordWrap || Width <= 0) {
    const double Whole = M.Width(Text);
    if (Width > 0 && Whole > Width + Overhang) Out.Scale = Width / Whole;
    Out.Lines.push_back(Text);
    Out.Widths.push_back(Whole * Out.Scale);
    return;
  }

  // The words, as [begin, end) positions.
  struct TWord {
    size_t Begin, End;
    double Width;
  };
  std::vector<TWord> Words;
  double Widest = 0;
  for (size_t I = 0; I < Text.size();) {
    while (I < Text.size() && IsBlank(Text[I])) ++I;
    if (I == Text.size()) break;
    const size_t Begin = I;
    while (I < Text.size() && !IsBlank(Text[I])) ++I;
    const double W = M.Width(Text.substr(Begin, I - Begin));
    Words.push_back({Begin, I, W});
    Widest = std::max(Widest, W);
  }
  if (Words.empty()) return;
  if (Widest > Width + Overhang) Out.Scale = Width / Widest;

  // The first line keeps any leading blanks; later lines start at their first word.
  size_t LineBegin = 0;
  size_t LineEnd = Words[0].End;
  double LineWidth = M.Width(Text.substr(0, LineEnd));
  for (size_t W = 1; W < Words.size(); ++W) {
    const double Gap = M.Width(Text.substr(LineEnd, Words[W].Begin - LineEnd));
    const double Wider = LineWidth + Gap + Words[W].Width;
    if (Wider * Out.Scale <= Width + Overhang) {
      LineEnd = Words[W].End;
      LineWidth = Wider;
      continue;
    }
    Out.Lines.push_back(Text.substr(LineBegin, LineEnd - LineBegin));
    Out.Widths.push_back(LineWidth * Out.Scale);
    LineBegin = Words[W].Begin;
    LineEnd = Words[W].End;
    LineWidth = Words[W].Width;
  }
  Out.Lines.push_back(Text.substr(LineBegin, LineEnd - LineBegin));
  Out.Widths.push_back(LineWidth * Out.Scale);
}

int32_t VisibleReportLines(const TReportFont& Font, const TReportTextSetting& Setting,
                           double Height) {
  const int32_t Count = static_cast<int32_t>(Setting.Lines.size());
  if (Count == 0) return 0;
  const double Spacing = TReportMetrics::Of(Font).LineSpacing() * Setting.Scale;
  int32_t Shown = 1;
  // Half a unit of tolerance: a box sized by rounding up always shows its lines.
  while (Shown < Count && (Shown + 1) * Spacing <= Height + 0.5) ++Shown;
  return Shown;
}
