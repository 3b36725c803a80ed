#include "ReportLabel.h"

#include "ReportBand.h"

TReportItem::TReportItem(TReportBand* Band, const char* Name, TReportItemKind Kind)
    : QObject(Band), FBand(Band), FKind(Kind) {
  if (Name != nullptr) setObjectName(QString::fromLatin1(Name));
  Band->FItems.push_back(this);
}

TReportLabel::TReportLabel(TReportBand* Band, const char* Name)
    : TReportItem(Band, Name, TReportItemKind::Label) {}

TReportLabel::TReportLabel(TReportBand* Band, const char* Name, TReportItemKind Kind)
    : TReportItem(Band, Name, Kind) {}

TReportPageNumber::TReportPageNumber(TReportBand* Band, const char* Name)
    : TReportLabel(Band, Name, TReportItemKind::PageNumber) {
  AutoSize = true;
}

TReportRule::TReportRule(TReportBand* Band, const char* Name)
    : TReportItem(Band, Name, TReportItemKind::Rule) {}

TReportLabel* AddReportLabel(TReportBand* Band, const TReportLabelSpec& Spec) {
  auto* Label = new TReportLabel(Band, Spec.Name);
  if (Spec.Caption != nullptr) Label->Caption = Spec.Caption;
  Label->Left = Spec.Left;
  Label->Top = Spec.Top;
  Label->Width = Spec.Width;
  Label->Height = Spec.Height;
  Label->AutoSize = Spec.Width == 0;
  Label->Font.Size = Spec.Size;
  Label->Font.Style = Spec.Style;
  Label->Alignment = Spec.Alignment;
  Label->AutoStretch = Spec.AutoStretch;
  Label->AlignToBand = Spec.AlignToBand;
  return Label;
}

TReportRule* AddReportRule(TReportBand* Band, const char* Name, int32_t Left, int32_t Top,
                           int32_t Width, int32_t Height) {
  auto* Rule = new TReportRule(Band, Name);
  Rule->Left = Left;
  Rule->Top = Top;
  Rule->Width = Width;
  Rule->Height = Height;
  return Rule;
}

TReportPageNumber* AddReportPageNumber(TReportBand* Band, const char* Name, int32_t Left,
                                       int32_t Top, uint8_t Style) {
  auto* Number = new TReportPageNumber(Band, Name);
  Number->Left = Left;
  Number->Top = Top;
  Number->Font.Style = Style;
  return Number;
}
