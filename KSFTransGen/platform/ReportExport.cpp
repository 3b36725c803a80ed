#include "ReportExport.h"

#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "QtText.h"
#include "Report.h"
#include "ReportBand.h"
#include "ReportLabel.h"

namespace {

// One character of a text export stands for this many units across the page.
constexpr double TextColumnUnits = 6;

// The part of a label's text that the page shows: all of it, or its first
// lines when its box holds no more.
std::string_view ShownText(const TLaidItem& Item, TReportTextSetting& Setting) {
  const auto& Label = static_cast<const TReportLabel&>(*Item.Item);
  SetLaidText(Item, Setting);
  const int32_t Shown = VisibleReportLines(Label.Font, Setting, Item.Height);
  if (Shown == static_cast<int32_t>(Setting.Lines.size())) return Item.Text;
  const std::string_view Last = Setting.Lines[static_cast<size_t>(Shown) - 1];
  return Item.Text.substr(0, static_cast<size_t>(Last.data() + Last.size() - Item.Text.data()));
}

int32_t Column(double Units) {
  return std::max(0, static_cast<int32_t>(std::lround(Units / TextColumnUnits)));
}

// The columns of a comma-separated file: the detail band's labels (its items
// but the rules) in reading order, top to bottom and then left to right as the
// band is designed, so every row has the same columns whatever a label's text.
std::vector<size_t> CsvColumns(const TReportBand& Detail) {
  const std::vector<TReportItem*>& Items = Detail.Items();
  std::vector<size_t> Columns;
  for (size_t I = 0; I < Items.size(); ++I)
    if (Items[I]->Kind() != TReportItemKind::Rule) Columns.push_back(I);
  std::stable_sort(Columns.begin(), Columns.end(), [&Items](size_t A, size_t B) {
    return Items[A]->Top != Items[B]->Top ? Items[A]->Top < Items[B]->Top
                                          : Items[A]->Left < Items[B]->Left;
  });
  return Columns;
}

struct TTextRun {
  int32_t Y;
  int32_t Column;
  std::string_view Text;
};

}  // namespace

TReportExportFilter::TReportExportFilter(TReport* Report, const char* Name) : QObject(Report) {
  if (Name != nullptr) setObjectName(QString::fromLatin1(Name));
}

bool TReportExportFilter::Export(const TReportLayout& Layout, const QString& Path,
                                 const TReportProgress& Progress, std::string& Error) const {
  Error.clear();
  QSaveFile File(Path);
  if (!File.open(QIODevice::WriteOnly)) {
    Error = "Cannot write " + ToStdString(Path) + ": " + ToStdString(File.errorString());
    return false;
  }
  std::string Buffer;
  const int32_t Total = Layout.PageCount();
  for (int32_t Page = 0; Page < Total; ++Page) {
    WritePage(Layout, Page, Buffer);
    if (Buffer.size() >= (1u << 20) || Page + 1 == Total) {
      if (File.write(Buffer.data(), static_cast<qint64>(Buffer.size())) !=
          static_cast<qint64>(Buffer.size())) {
        Error = "Cannot write " + ToStdString(Path) + ": " + ToStdString(File.errorString());
        File.cancelWriting();
        return false;
      }
      Buffer.clear();
    }
    if (Progress && !Progress(Page + 1, Total)) {
      File.cancelWriting();
      return false;
    }
  }
  if (!File.commit()) {
    Error = "Cannot write " + ToStdString(Path) + ": " + ToStdString(File.errorString());
    return false;
  }
  return true;
}

TReportTextFilter::TReportTextFilter(TReport* Report, const char* Name)
    : TReportExportFilter(Report, Name) {}

QString TReportTextFilter::Description() const { return QStringLiteral("Plain text (*.txt)"); }
QString TReportTextFilter::Extension() const { return QStringLiteral("txt"); }

void TReportTextFilter::WritePage(const TReportLayout& Layout, int32_t PageIndex,
                                  std::string& Out) const {
  static const std::string Dashes(512, '-');
  const double Margin = Layout.Page.LeftMargin;
  TReportTextSetting Setting;
  std::vector<TTextRun> Runs;
  for (const TLaidBand& Band : Layout.Bands(PageIndex)) {
    const int32_t Count = Layout.ItemCount(Band);
    for (int32_t K = 0; K < Count; ++K) {
      const TLaidItem Item = Layout.Item(Band, K);
      if (Item.Item->Kind() == TReportItemKind::Rule) {
        const auto Length = static_cast<size_t>(Column(Item.Width));
        Runs.push_back({Item.Top, Column(Item.Left - Margin),
                        std::string_view(Dashes).substr(0, std::min(Length, Dashes.size()))});
        continue;
      }
      const auto& Label = static_cast<const TReportLabel&>(*Item.Item);
      SetLaidText(Item, Setting);
      const int32_t Shown = VisibleReportLines(Label.Font, Setting, Item.Height);
      const double Spacing = TReportMetrics::Of(Label.Font).LineSpacing() * Setting.Scale;
      for (int32_t I = 0; I < Shown; ++I) {
        const std::string_view Line = Setting.Lines[static_cast<size_t>(I)];
        const double Length = static_cast<double>(Line.size());
        int32_t At = Column(Item.TextLeft - Margin);
        if (Label.Alignment == TReportAlignment::Right)
          At = std::max(0, Column(Item.TextLeft + Item.TextWidth - Margin) -
                               static_cast<int32_t>(Length));
        else if (Label.Alignment == TReportAlignment::Center)
          At = Column(Item.TextLeft + Item.TextWidth / 2.0 - Margin - Length * TextColumnUnits / 2);
        Runs.push_back({static_cast<int32_t>(std::lround(Item.Top + I * Spacing)), At, Line});
      }
    }
  }
  std::stable_sort(Runs.begin(), Runs.end(), [](const TTextRun& A, const TTextRun& B) {
    return A.Y != B.Y ? A.Y < B.Y : A.Column < B.Column;
  });

  if (PageIndex > 0) Out += "\r\n";
  std::string Line;
  for (size_t I = 0; I < Runs.size();) {
    Line.clear();
    const int32_t Y = Runs[I].Y;
    for (; I < Runs.size() && Runs[I].Y == Y; ++I) {
      size_t At = static_cast<size_t>(Runs[I].Column);
      if (!Line.empty() && At < Line.size() + 1) At = Line.size() + 1;
      Line.append(At - std::min(At, Line.size()), ' ');
      Line += Runs[I].Text;
    }
    while (!Line.empty() && Line.back() == ' ') Line.pop_back();
    Out += Line;
    Out += "\r\n";
  }
}

TReportCSVFilter::TReportCSVFilter(TReport* Report, const char* Name, char ASeparator)
    : TReportExportFilter(Report, Name), Separator(ASeparator) {}

QString TReportCSVFilter::Description() const {
  return QStringLiteral("Comma-separated values (*.csv)");
}
QString TReportCSVFilter::Extension() const { return QStringLiteral("csv"); }

void TReportCSVFilter::WritePage(const TReportLayout& Layout, int32_t PageIndex,
                                 std::string& Out) const {
  const std::span<const TLaidBand> Bands = Layout.Bands(PageIndex);
  if (Bands.empty()) return;
  const TReportBand* Detail = Bands.front().Band->Report()->BandOf(TReportBandType::Detail);
  if (Detail == nullptr) return;
  const std::vector<size_t> Columns = CsvColumns(*Detail);
  const auto Field = [this, &Out](bool First, std::string_view Text) {
    if (!First) Out += Separator;
    Out += '"';
    for (char Ch : Text) {
      if (Ch == '"') Out += '"';
      Out += Ch;
    }
    Out += '"';
  };
  if (PageIndex == 0) {
    for (size_t C = 0; C < Columns.size(); ++C) {
      const auto* Label = static_cast<const TReportLabel*>(Detail->Items()[Columns[C]]);
      Field(C == 0, Label->ColumnTitle.empty() ? ToStdString(Label->objectName())
                                               : Label->ColumnTitle);
    }
    Out += "\r\n";
  }
  TReportTextSetting Setting;
  for (const TLaidBand& Band : Bands) {
    if (Band.Band != Detail) continue;
    for (size_t C = 0; C < Columns.size(); ++C)
      Field(C == 0, ShownText(Layout.Item(Band, static_cast<int32_t>(Columns[C])), Setting));
    Out += "\r\n";
  }
}
