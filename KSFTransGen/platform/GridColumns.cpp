#include "GridColumns.h"

#include <QFontMetrics>

#include "PPropertyNames.h"
#include "PRecords.h"
#include "StringGrid.h"
#include "TextParse.h"
#include "Utils.h"

namespace {

// The characters From..From+Count-1 (0-based) of Text, as far as it has them.
std::string Part(const std::string& Text, size_t From, size_t Count) {
  if (From >= Text.size()) return "";
  return Text.substr(From, Count);
}

// Characters the text lacks are simply missing: an empty text gives the hyphens alone.
std::string SSNPattern(const std::string& Text) {
  return Part(Text, 0, 3) + "-" + Part(Text, 3, 2) + "-" + Part(Text, 5, 4);
}

std::string PhonePattern(const std::string& Text) { return Part(Text, 0, 3) + "-" + Part(Text, 3, 4); }

// The word a typed text is drawn as, by its first character; empty for an empty text.
std::string GenderWordOfText(const std::string& Text) {
  if (Text.empty()) return "";
  if (Text[0] == 'F' || Text[0] == 'f') return "Female";
  if (Text[0] == 'M' || Text[0] == 'm') return "Male";
  return "Unknown";
}

}  // namespace

const TGridColumn* ColumnAt(TGridColumns Columns, int32_t ACol) {
  if (ACol < 0 || static_cast<size_t>(ACol) >= Columns.size()) return nullptr;
  return &Columns[static_cast<size_t>(ACol)];
}

std::string CellText(const TRecord& Record, const TGridColumn& Column) {
  const std::string& Field = *Column.Field;
  switch (Column.Text) {
    case TCellText::Text:
      return Record.GetAsString(Field);
    case TCellText::Date:
      return Record.IsBlank(Field) ? std::string() : Record.GetAsString(Field);
    case TCellText::Amount:
      return Trim(FormatFixed(Record.GetAsFloat(Field), 2));
    case TCellText::GenderWord:
      return GenderWordOfCode(Record.GetAsString(Field));
    case TCellText::LastFirst:
      return Record.GetAsString(Field) + ", " + Record.GetAsString(fnFirstName);
  }
  return std::string();
}

void StoreCellText(TRecord& Record, const TGridColumn& Column, const std::string& Text) {
  Record.SetAsString(*Column.Field, Column.Text == TCellText::GenderWord ? GenderCodeOfText(Text) : Text);
}

bool IsStorableCellText(const TGridColumn& Column, const std::string& Text) {
  if (Column.Text != TCellText::Amount) return true;
  double Value = 0;
  const std::string T = Trim(Text);
  return !T.empty() && TryStrToFloat(T, Value);
}

std::string MemberLabel(const std::string& SSN, const std::string& LastName,
                        const std::string& FirstName) {
  return FormatSSN(Trim(SSN)) + " (" + Trim(LastName) + ", " + Trim(FirstName) + ")";
}

std::string MemberLabel(const TRecord& Record) {
  return MemberLabel(Record.GetAsString(fnMemberSSN), Record.GetAsString(fnLastName),
                     Record.GetAsString(fnFirstName));
}

std::string NotANumberText(const std::string& Member, const TGridColumn& Column, const std::string& Text) {
  std::string Title = Trim(Column.Title);
  // The captions of the detail form end in a colon.
  while (!Title.empty() && (Title.back() == ':' || Title.back() == ' ')) Title.pop_back();
  std::string Result = "The amount \"";
  Result.append(Text).append("\" typed for member ").append(Member).append(" under ").append(Title);
  return Result.append(" is not a number.");
}

std::string ShownText(const TGridColumn& Column, const std::string& Text) {
  switch (Column.Look) {
    case TCellLook::Text:
    case TCellLook::InfoText: return Text;
    case TCellLook::SSN: return SSNPattern(Text);
    case TCellLook::Phone: return PhonePattern(Text);
    case TCellLook::GenderWord: return GenderWordOfText(Text);
    case TCellLook::Money: {
      // Appended, not "$" + ...: g++ 12 at -O3 wrongly warns (-Wrestrict) on a
      // literal placed before a temporary string.
      std::string Money = "$";
      return Money.append(FormatAmount(Text));
    }
    case TCellLook::Amount: return FormatAmount(Text);
    case TCellLook::Percent: return FormatAmount(Text) + "%";
  }
  return Text;
}

bool DrawnFromRight(TCellLook Look) {
  return Look == TCellLook::Money || Look == TCellLook::Amount || Look == TCellLook::Percent;
}

void DrawCellText(TCanvas& Canvas, const TRect& Rect, const TGridColumn& Column, const std::string& Text) {
  Canvas.FillRect(Rect);
  if (Column.Look == TCellLook::InfoText || Column.Look == TCellLook::SSN) Canvas.Brush->Color = clInfoBk;
  const std::string Shown = ShownText(Column, Text);
  const int32_t X = DrawnFromRight(Column.Look) ? Rect.Right - Canvas.TextWidth(Shown) - 2 : Rect.Left + 2;
  Canvas.TextRect(Rect, X, Rect.Top + 2, Shown);
}

void FitGridFont(TStringGrid& Grid, TGridColumns Columns) {
  auto Fits = [&](const QFont& Font) {
    const QFontMetrics Metrics(Font);
    for (size_t Col = 0; Col < Columns.size(); ++Col) {
      const int Room = Grid.ColWidths(static_cast<int32_t>(Col)) - 4;
      for (const char* Text : {Columns[Col].Title, Columns[Col].Widest})
        if (Metrics.horizontalAdvance(QString::fromLatin1(Text)) > Room) return false;
    }
    return true;
  };
  QFont Font = Grid.font();
  for (int Pixels = 11; Pixels >= MinTextPixels; --Pixels)
    for (int Stretch : {int(QFont::SemiCondensed), int(QFont::Condensed)}) {
      Font.setPixelSize(Pixels);
      Font.setStretch(Stretch);
      if (Fits(Font) || (Pixels == MinTextPixels && Stretch == QFont::Condensed)) {
        Grid.setFont(Font);
        return;
      }
    }
}

std::string GenderWordOfCode(const std::string& Code) {
  if (!Code.empty() && Code[0] == '1') return "Male";
  if (!Code.empty() && Code[0] == '2') return "Female";
  return "Unknown";
}

std::string GenderCodeOfText(const std::string& Text) {
  std::string V = UpperCase(Trim(Text));
  if (!V.empty() && V[0] == 'F') return "2";
  if (!V.empty() && V[0] == 'M') return "1";
  return "3";
}
