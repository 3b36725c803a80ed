// The search dialog's window: layout, showing, Search and Cancel.

#include "VSearch.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "PTransShort.h"
#include "QtEnv.h"
#include "QtText.h"
#include "Scaling.h"
#include "Utils.h"

uint16_t LastSearchField = 0;
uint16_t LastSearchOp = 0;
std::string LastSearchValue;
TfrmSearch* frmSearch = nullptr;

namespace {

// A list box that fills its group below the caption.
QListWidget* FillGroup(QGroupBox* Group, const char* Name) {
  auto* Layout = new QVBoxLayout(Group);
  Layout->setContentsMargins(2, 2, 2, 2);
  auto* List = new QListWidget(Group);
  List->setObjectName(Name);
  List->setSelectionMode(QAbstractItemView::SingleSelection);
  Layout->addWidget(List);
  return List;
}

// The list's selected position; the first when none is (a list box always has one here).
uint16_t Position(const QListWidget* List) {
  return static_cast<uint16_t>(List->currentRow() < 0 ? 0 : List->currentRow());
}

void SelectPosition(QListWidget* List, uint16_t Position) {
  if (Position < List->count()) List->setCurrentRow(Position);
}

// The design sizes were drawn for a narrower face than ours: a list grows until
// every item shows whole, without scrolling, and its group with it.
void FitListToItems(QListWidget* List) {
  const int Frame = 2 * List->frameWidth();
  List->setMinimumSize(List->sizeHintForColumn(0) + Frame + 4, List->sizeHintForRow(0) * List->count() + Frame);
  List->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QWidget* Group = List->parentWidget();
  Group->resize(Group->size().expandedTo(Group->minimumSizeHint()));
}

// Puts Control at least Gap to the right of Left's right edge.
void KeepRightOf(QWidget* Control, const QWidget* Left, int Gap) {
  Control->move(std::max(Control->x(), Left->geometry().right() + 1 + Gap), Control->y());
}

}  // namespace

TfrmSearch::TfrmSearch(QWidget* Owner) : TForm(Owner) {
  setObjectName("frmSearch");
  BuildLayout();
  FormCreate();
}

TfrmSearch::~TfrmSearch() {
  if (frmSearch == this) frmSearch = nullptr;
}

void TfrmSearch::BuildLayout() {
  setWindowTitle("Search Window");
  SetFixedDialogFrame(*this);

  GroupBox1 = new QGroupBox("Select &Field", this);
  GroupBox1->setObjectName("GroupBox1");
  PlaceScaled(GroupBox1, 24, 16, 121, 169);
  lbxFields = FillGroup(GroupBox1, "lbxFields");
  for (const TSearchField& Field : SearchFields) lbxFields->addItem(Field.Item);

  GroupBox2 = new QGroupBox("Select &Operator", this);
  GroupBox2->setObjectName("GroupBox2");
  PlaceScaled(GroupBox2, 160, 16, 129, 105);
  lbxOps = FillGroup(GroupBox2, "lbxOps");
  for (const char* Op : SearchOps) lbxOps->addItem(Op);

  GroupBox3 = new QGroupBox("Enter &Value", this);
  GroupBox3->setObjectName("GroupBox3");
  PlaceScaled(GroupBox3, 304, 16, 177, 65);
  edtValue = new QLineEdit("edtValue", GroupBox3);
  edtValue->setObjectName("edtValue");
  PlaceScaled(edtValue, 8, 22, 153, 21);

  btnSearch = new QPushButton("Search", this);
  btnSearch->setObjectName("btnSearch");
  PlaceScaled(btnSearch, 328, 168, 153, 33);
  SetButtonModalResult(btnSearch, mrOk);
  SetDefaultButton(btnSearch);

  btnCancel = new QPushButton("Cancel", this);
  btnCancel->setObjectName("btnCancel");
  PlaceScaled(btnCancel, 328, 216, 153, 33);
  SetButtonModalResult(btnCancel, mrCancel);
  SetCancelButton(btnCancel);

  setTabOrder(lbxFields, lbxOps);
  setTabOrder(lbxOps, edtValue);
  setTabOrder(edtValue, btnSearch);
  setTabOrder(btnSearch, btnCancel);

  connect(btnSearch, &QPushButton::clicked, this, [this] { RunHandler([this] { btnSearchClick(); }); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { RunHandler([this] { btnCancelClick(); }); });
  OnShow = [this] { FormShow(); };
}

void TfrmSearch::FormCreate() {
  HeaderOnly = false;
  ScaleWindow(*this, 495, 254);
  // The lists grow to our face; what stands right of them moves along, and the
  // window grows to hold it all.
  FitListToItems(lbxFields);
  FitListToItems(lbxOps);
  const int Gap = ScaleForScreen(15);
  KeepRightOf(GroupBox2, GroupBox1, Gap);
  KeepRightOf(GroupBox3, GroupBox2, Gap);
  for (QWidget* Button : {static_cast<QWidget*>(btnSearch), static_cast<QWidget*>(btnCancel)})
    Button->move(GroupBox3->x() + ScaleForScreen(24), Button->y());
  int Right = 0, Bottom = 0;
  for (const QWidget* Control : {static_cast<QWidget*>(GroupBox1), static_cast<QWidget*>(GroupBox3),
                                 static_cast<QWidget*>(btnCancel)}) {
    Right = std::max(Right, Control->geometry().right() + 1);
    Bottom = std::max(Bottom, Control->geometry().bottom() + 1);
  }
  resize(std::max(width(), Right + ScaleForScreen(14)), std::max(height(), Bottom + ScaleForScreen(5)));
  setFixedSize(size());
  if (const QScreen* Screen = QGuiApplication::primaryScreen())
    move(Screen->availableGeometry().center() - rect().center());
}

void TfrmSearch::FormShow() {
  SelectPosition(lbxFields, LastSearchField);
  SelectPosition(lbxOps, LastSearchOp);
  edtValue->setText(ToQString(LastSearchValue));
}

void TfrmSearch::RememberChoices() const {
  LastSearchField = Position(lbxFields);
  LastSearchOp = Position(lbxOps);
  LastSearchValue = ToStdString(edtValue->text());
}

void TfrmSearch::btnSearchClick() {
  if (Trans == nullptr) return;
  const std::string Value = ToStdString(edtValue->text());
  switch (FilterMembers(Trans->Details, Position(lbxFields), Position(lbxOps), Value)) {
    case TSearchOutcome::InvalidDate:
      Refuse("Invalid date!");
      return;
    case TSearchOutcome::InvalidAmount:
      Refuse("Invalid amount!");
      return;
    case TSearchOutcome::Filtered:
      break;
  }
  RememberChoices();
  SetModalResult(mrOk);
}

void TfrmSearch::btnCancelClick() {
  RememberChoices();
  SetModalResult(mrCancel);
}
