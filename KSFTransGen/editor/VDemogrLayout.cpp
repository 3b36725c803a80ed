// The member detail form's controls: where each stands, what it is called, what
// it takes, and which handler its changes and exits reach.

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>
#include <vector>

#include "MaskEdit.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "QtEnv.h"
#include "QtText.h"
#include "Scaling.h"
#include "StringGrid.h"
#include "VDemogr.h"

namespace {

using F = TfrmMbrDetail;

enum class TBoxPlace { Top, Name, Demogr };

// The input controls in tab order within each container. A box takes at most
// Limit characters, and never more than its record field keeps, so what the
// clerk sees is what is stored.
struct TControlRef {
  TMaskEdit* F::*Box;   // an edit or masked edit, or
  QComboBox* F::*List;  // a drop-down list
};
constexpr TControlRef Box(TMaskEdit* F::*B) { return {B, nullptr}; }
constexpr TControlRef List(QComboBox* F::*L) { return {nullptr, L}; }

struct TInputDef {
  TControlRef Control;
  const char* Name;
  const char* Label;  // null: none
  bool Required;      // the label is bold
  const char* Hint;
  const char* Mask;
  int Limit;
  const std::string* Field;  // the record field behind a plain edit, for its limit
  TBoxPlace Place;
  int LabelLeft, Top, Left, Width;
};

// clang-format off
const TInputDef Inputs[] = {
//  control                 name             label                   bold   hint                               mask                    limit field             place              label top  left width
  {Box(&F::mskSSN),          "mskSSN",        "&SSN :",               true,  "Social Security Number",          "999\\-99\\-9999;0;_",  11,   nullptr,          TBoxPlace::Top,    12,  40,  96,  100},
  {List(&F::cmbNamePrefix),  "cmbNamePrefix", "Name Prefix :",        false, "Select name prefix from list",    "",                     0,    nullptr,          TBoxPlace::Name,   8,   20,  92,  80},
  {Box(&F::edtLastName),     "edtLastName",   "Last Name :",          true,  "",                                "",                     30,   &fnLastName,      TBoxPlace::Name,   8,   46,  92,  140},
  {Box(&F::edtFirstName),    "edtFirstName",  "First Name :",         true,  "",                                "",                     30,   &fnFirstName,     TBoxPlace::Name,   8,   72,  92,  140},
  {Box(&F::edtMiddleName),   "edtMiddleName", "MiddleName :",         false, "",                                "",                     30,   &fnMiddleName,    TBoxPlace::Name,   8,   98,  92,  140},
  {List(&F::cmbSuffix),      "cmbSuffix",     "Name Suffix :",        false, "Select name suffix from list",    "",                     0,    nullptr,          TBoxPlace::Name,   8,   124, 92,  80},
  {Box(&F::edtAddress1),     "edtAddress1",   "Address &1 :",         true,  "",                                "",                     30,   &fnAddressLine1,  TBoxPlace::Demogr, 8,   8,   118, 220},
  {Box(&F::edtAddress2),     "edtAddress2",   "Address &2",           false, "",                                "",                     30,   &fnAddressLine2,  TBoxPlace::Demogr, 8,   31,  118, 220},
  {Box(&F::edtCity),         "edtCity",       "Cit&y :",              true,  "",                                "",                     30,   &fnAddressCity,   TBoxPlace::Demogr, 8,   54,  118, 220},
  {List(&F::cmbState),       "cmbState",      "S&tate :",             true,  "Select state from list",          "",                     0,    nullptr,          TBoxPlace::Demogr, 8,   77,  118, 160},
  {Box(&F::mskZip),          "mskZip",        "&Zip code :",          true,  "",                                "99999;0;_",            5,    nullptr,          TBoxPlace::Demogr, 8,   100, 118, 50},
  {Box(&F::mskZip4),         "mskZip4",       nullptr,                false, "",                                "9999;0;_",             4,    nullptr,          TBoxPlace::Demogr, 0,   100, 182, 40},
  {Box(&F::edtEffDate),      "edtEffDate",    "Add&ress Eff. Date :", true,  "",                                "!99/99/0000;1;_",      10,   nullptr,          TBoxPlace::Demogr, 8,   123, 118, 80},
  {List(&F::cmbGender),      "cmbGender",     "&Gender :",            false, "Select gender from list",         "",                     0,    nullptr,          TBoxPlace::Demogr, 8,   146, 118, 100},
  {Box(&F::edtBirthDate),    "edtBirthDate",  "&Birth Date :",        true,  "",                                "!99/99/0000;1;_",      10,   nullptr,          TBoxPlace::Demogr, 8,   169, 118, 80},
  {List(&F::cmbMarital),     "cmbMarital",    "Marital Stat&us :",    false, "Select marital status from list", "",                     0,    nullptr,          TBoxPlace::Demogr, 8,   192, 118, 100},
  {Box(&F::edtEmail),        "edtEmail",      "&Email :",             false, "",                                "",                     30,   &fnAddressEMail,  TBoxPlace::Demogr, 8,   215, 118, 220},
  {Box(&F::mskAreaCode),     "mskAreaCode",   "Area C&ode :",         false, "",                                "999;0;_",              3,    nullptr,          TBoxPlace::Demogr, 8,   238, 118, 40},
  {Box(&F::mskPhone),        "mskPhone",      "Phone &No :",          false, "",                                "!999-9999;0;_",        8,    nullptr,          TBoxPlace::Demogr, 170, 238, 240, 80},
  {Box(&F::mskPhoneExt),     "mskPhoneExt",   "P&hone Ext : ",        false, "",                                "99999;0;_",            5,    nullptr,          TBoxPlace::Demogr, 8,   261, 118, 50},
};
// clang-format on

// The navigation and record buttons, glyph above caption, two rows of four.
struct TButtonDef {
  TBitBtn* F::*Button;
  const char* Name;
  const char* Caption;
  TGlyph Glyph;
  void (F::*Click)();
};

const TButtonDef RecordButtons[] = {
    {&F::bbnFirst, "bbnFirst", "&First", TGlyph::First, &F::bbnFirstClick},
    {&F::bbnPrior, "bbnPrior", "Prior (&<)", TGlyph::Prior, &F::bbnPriorClick},
    {&F::bbnNext, "bbnNext", "Next (&>)", TGlyph::Next, &F::bbnNextClick},
    {&F::bbnLast, "bbnLast", "&Last", TGlyph::Last, &F::bbnLastClick},
    {&F::bbnInsert, "bbnInsert", "&Insert", TGlyph::Insert, &F::bbnInsertClick},
    {&F::bbnDel, "bbnDel", "&Delete", TGlyph::Delete, &F::bbnDelClick},
    {&F::bbnSave, "bbnSave", "S&ave", TGlyph::Save, &F::bbnSaveClick},
    {&F::bbnCancel, "bbnCancel", "Cancel", TGlyph::Cancel, &F::bbnCancelClick},
};

TBitBtn* MakeButton(QWidget* Parent, const char* Name, const char* Caption, TGlyph Glyph,
                    TButtonLayout Layout) {
  auto* B = new TBitBtn(QString::fromLatin1(Caption), Parent);
  B->setObjectName(Name);
  B->SetGlyph(Glyph);
  B->SetLayout(Layout);
  B->setAutoDefault(false);
  return B;
}

QLabel* MakeLabel(QWidget* Parent, const char* Text, bool Bold) {
  auto* Label = new QLabel(QString::fromLatin1(Text), Parent);
  if (Bold) {
    QFont Font = Label->font();
    Font.setBold(true);
    Label->setFont(Font);
  }
  return Label;
}

// The column of boxes on the demographic page: where its boxes start by design,
// and where its widest boxes end.
constexpr int DemogrColumn = 118;
constexpr int DemogrRightEdge = 338;

// How far the demographic page's column of boxes moves right so that the widest
// of its labels ("Address Eff. Date :", in bold) reads whole in the form's face
// before its box; 0 where the design leaves room enough. In design pixels.
int DemogrColumnShift(const QWidget& Form) {
  int Widest = 0;
  for (const TInputDef& Def : Inputs) {
    if (Def.Place != TBoxPlace::Demogr || Def.Label == nullptr || Def.Left != DemogrColumn) continue;
    QFont Font = Form.font();
    Font.setBold(Def.Required);
    QString Caption = QString::fromLatin1(Def.Label);
    Caption.remove('&');
    Widest = std::max(Widest, QFontMetrics(Font).horizontalAdvance(Caption));
  }
  // The label's design width that scales to at least the text's width (with a
  // pixel to spare), and the gap of 2 that every label keeps before its box.
  const int32_t Dpi = ScreenDPI > 0 ? ScreenDPI : 96;
  const int Needed = (Widest * 96 + Dpi - 1) / Dpi + 1;
  const int LabelLeft = 8;
  return std::max(0, LabelLeft + Needed + 2 - DemogrColumn);
}

// The most characters the member record keeps in a field.
int FieldWidth(const std::string& Name) {
  static const TTransShort Layout;
  for (const TField* Field : Layout.FieldLists[2])
    if (Field->Name == Name) return Field->Length;
  return 0;
}

}  // namespace

void TfrmMbrDetail::BuildLayout() {
  SetFixedDialogFrame(*this);

  // The input controls first, so that the tab order follows the table.
  gbxName = new QGroupBox("&Member Name", this);
  gbxName->setObjectName("gbxName");
  PlaceScaled(gbxName, 8, 68, 240, 152);
  pgcDetail = new TPageControl(this);
  pgcDetail->setObjectName("pgcDetail");
  PlaceScaled(pgcDetail, 256, 36, 352, 346);
  tbsDemogr = pgcDetail->AddPage("Demographic Data");
  tbsDemogr->setObjectName("tbsDemogr");
  tbsContr = pgcDetail->AddPage("Contribution Data");
  tbsContr->setObjectName("tbsContr");

  // Right of the column, everything on the demographic page moves with it; the
  // boxes that reach the page's right edge keep ending there.
  const int Shift = DemogrColumnShift(*this);
  const auto Moved = [Shift](const TInputDef& Def, int X) {
    return Def.Place == TBoxPlace::Demogr && X >= DemogrColumn ? X + Shift : X;
  };
  for (const TInputDef& Def : Inputs) {
    QWidget* Parent = Def.Place == TBoxPlace::Top    ? static_cast<QWidget*>(this)
                      : Def.Place == TBoxPlace::Name ? static_cast<QWidget*>(gbxName)
                                                     : static_cast<QWidget*>(tbsDemogr);
    QWidget* Control;
    if (Def.Control.Box != nullptr) {
      auto* Box = new TMaskEdit(Parent);
      Box->SetEditMask(Def.Mask);
      int Limit = Def.Limit;
      if (Def.Field != nullptr) Limit = std::min(Limit, FieldWidth(*Def.Field));
      if (*Def.Mask == '\0') Box->SetMaxLength(Limit);
      this->*Def.Control.Box = Box;
      Control = Box;
    } else {
      auto* List = new QComboBox(Parent);
      List->setEditable(false);
      this->*Def.Control.List = List;
      Control = List;
    }
    Control->setObjectName(Def.Name);
    if (*Def.Hint != '\0') Control->setToolTip(Def.Hint);
    const int Left = Moved(Def, Def.Left);
    int Right = Moved(Def, Def.Left + Def.Width);
    if (Def.Place == TBoxPlace::Demogr && Def.Left + Def.Width <= DemogrRightEdge)
      Right = std::min(Right, DemogrRightEdge);
    PlaceScaled(Control, Left, Def.Top, Right - Left, 21);
    if (Def.Label != nullptr) {
      QLabel* Label = MakeLabel(Parent, Def.Label, Def.Required);
      const int LabelLeft = Moved(Def, Def.LabelLeft);
      PlaceScaled(Label, LabelLeft, Def.Top + 3, Left - LabelLeft - 2, 17);
      Label->setBuddy(Control);
      if (Def.Control.Box == &F::mskSSN) {
        lblSSN = Label;
        lblSSN->setObjectName("lblSSN");
      }
    }
  }
  cmbState->setMaxVisibleItems(16);
  auto* ZipSeparator = new QLabel("_", tbsDemogr);
  PlaceScaled(ZipSeparator, 172 + Shift, 103, 8, 17);

  BuildAmountGrid();

  for (size_t I = 0; I < std::size(RecordButtons); ++I) {
    const TButtonDef& Def = RecordButtons[I];
    TBitBtn* B = MakeButton(this, Def.Name, Def.Caption, Def.Glyph, TButtonLayout::GlyphTop);
    PlaceScaled(B, 8 + static_cast<int>(I % 4) * 60, 230 + static_cast<int>(I / 4) * 52, 58, 48);
    const auto Click = Def.Click;
    B->OnClick = [this, Click] { (this->*Click)(); };
    this->*Def.Button = B;
  }
  SetCancelButton(bbnCancel);

  bbnHelp = MakeButton(this, "bbnHelp", "Help", TGlyph::Help, TButtonLayout::GlyphLeft);
  PlaceScaled(bbnHelp, 448, 5, 75, 25);
  bbnHelp->OnClick = [this] { bbnHelpClick(); };
  bbnExit = MakeButton(this, "bbnExit", "E&xit", TGlyph::Exit, TButtonLayout::GlyphLeft);
  bbnExit->setToolTip("Exit");
  PlaceScaled(bbnExit, 530, 5, 75, 25);
  bbnExit->OnClick = [this] { bbnExitClick(); };

  stbMessage = new TStatusBar(this);
  stbMessage->setObjectName("stbMessage");
  stbMessage->AddPanel(ScaleForScreen(120));
  stbMessage->AddPanel(ScaleForScreen(120));
  PlaceScaled(stbMessage, 0, 389, 616, 24);
  chbSaveError = new TCheckBox("Allow in&complete saves", this);
  chbSaveError->setObjectName("chbSaveError");
  PlaceScaled(chbSaveError, 430, 391, 180, 20);
  chbSaveError->OnClick = [this] { chbSaveErrorClick(); };

  // Change tracking: every box and list but the SSN, which has its own rule.
  // The ZIP+4 box is tracked like its neighbours, so a typed ZIP+4 is never
  // dropped silently by the next navigation.
  for (const TInputDef& Def : Inputs) {
    if (Def.Control.Box == &F::mskSSN) {
      mskSSN->OnChange = [this] { mskSSNChange(); };
    } else if (Def.Control.Box != nullptr) {
      (this->*Def.Control.Box)->OnChange = [this] { OnChange(); };
    } else {
      QComboBox* List = this->*Def.Control.List;
      connect(List, &QComboBox::currentIndexChanged, this,
              [this] { RunHandler([this] { OnChange(); }); });
      // A row the clerk picks (by mouse or keys, the shown one included) is
      // their choice, also where the stored code is shown as row 0 for want of a row.
      connect(List, &QComboBox::activated, this, [this, List] { FPicked.insert(List); });
    }
  }
  for (TMaskEdit* Box : {edtBirthDate, edtEffDate}) Box->OnExit = [this, Box] { edtDateExit(Box); };
  for (TMaskEdit* Box : {edtEmail, edtAddress1, edtAddress2, edtCity, mskZip, mskZip4})
    Box->OnExit = [this, Box] { OnAddressExit(Box); };
  cmbState->installEventFilter(this);

  // Tab order: the SSN, the name group, the pages, the record buttons, then the rest.
  std::vector<QWidget*> Chain;
  for (const TInputDef& Def : Inputs) {
    if (Def.Place == TBoxPlace::Demogr &&
        std::find(Chain.begin(), Chain.end(), pgcDetail) == Chain.end())
      Chain.push_back(pgcDetail);
    Chain.push_back(Def.Control.Box != nullptr ? static_cast<QWidget*>(this->*Def.Control.Box)
                                               : this->*Def.Control.List);
  }
  Chain.push_back(stgAmt);
  for (const TButtonDef& Def : RecordButtons) Chain.push_back(this->*Def.Button);
  for (QWidget* W : {static_cast<QWidget*>(bbnHelp), static_cast<QWidget*>(bbnExit),
                     static_cast<QWidget*>(chbSaveError)})
    Chain.push_back(W);
  for (size_t I = 1; I < Chain.size(); ++I) setTabOrder(Chain[I - 1], Chain[I]);
}
