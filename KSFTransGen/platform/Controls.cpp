#include "Controls.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>

#include "Forms.h"
#include "QtEnv.h"
#include "QtText.h"

QIcon GlyphIcon(TGlyph Glyph) {
  QStyle* Style = QApplication::style();
  switch (Glyph) {
    case TGlyph::None: return QIcon();
    case TGlyph::Ok: return Style->standardIcon(QStyle::SP_DialogOkButton);
    case TGlyph::Cancel: return Style->standardIcon(QStyle::SP_DialogCancelButton);
    case TGlyph::Exit: return Style->standardIcon(QStyle::SP_DialogCloseButton);
    case TGlyph::Help: return Style->standardIcon(QStyle::SP_DialogHelpButton);
    case TGlyph::Open: return Style->standardIcon(QStyle::SP_DialogOpenButton);
    case TGlyph::Save: return Style->standardIcon(QStyle::SP_DialogSaveButton);
    case TGlyph::New: return Style->standardIcon(QStyle::SP_FileIcon);
    case TGlyph::Print: return Style->standardIcon(QStyle::SP_FileDialogDetailedView);
    case TGlyph::First: return Style->standardIcon(QStyle::SP_MediaSkipBackward);
    case TGlyph::Prior: return Style->standardIcon(QStyle::SP_MediaSeekBackward);
    case TGlyph::Next: return Style->standardIcon(QStyle::SP_MediaSeekForward);
    case TGlyph::Last: return Style->standardIcon(QStyle::SP_MediaSkipForward);
    case TGlyph::Insert: return Style->standardIcon(QStyle::SP_FileDialogNewFolder);
    case TGlyph::Delete: return Style->standardIcon(QStyle::SP_TrashIcon);
    case TGlyph::Search: return Style->standardIcon(QStyle::SP_FileDialogContentsView);
    case TGlyph::Sort: return Style->standardIcon(QStyle::SP_ArrowDown);
    case TGlyph::Edit: return Style->standardIcon(QStyle::SP_FileDialogInfoView);
    case TGlyph::Tree: return Style->standardIcon(QStyle::SP_ArrowDown);
    case TGlyph::Yes: return Style->standardIcon(QStyle::SP_DialogYesButton);
    case TGlyph::No: return Style->standardIcon(QStyle::SP_DialogNoButton);
    case TGlyph::Refresh: return Style->standardIcon(QStyle::SP_BrowserReload);
  }
  return QIcon();
}

// ---------------------------------------------------------------- TBitBtn

TBitBtn::TBitBtn(const QString& Caption, QWidget* Parent) : QPushButton(Caption, Parent) {
  setProperty("ksfOwnModalResult", true);
  setAutoDefault(false);
  connect(this, &QAbstractButton::clicked, this, [this]() {
    HandModalResultToForm(this);
    CallHandler(OnClick);
  });
}

void TBitBtn::SetGlyph(TGlyph Glyph) { setIcon(GlyphIcon(Glyph)); }
void TBitBtn::SetGlyph(const QIcon& Icon) { setIcon(Icon); }

void TBitBtn::SetLayout(TButtonLayout Value) {
  FLayout = Value;
  updateGeometry();
  update();
}

int TBitBtn::ModalResult() const { return ButtonModalResult(this); }
void TBitBtn::SetModalResult(int Value) { SetButtonModalResult(this, Value); }

QSize TBitBtn::sizeHint() const {
  if (FLayout != TButtonLayout::GlyphTop || icon().isNull()) return QPushButton::sizeHint();
  const QFontMetrics Metrics = fontMetrics();
  const QSize Icon = iconSize();
  const int Width = std::max(Icon.width(), Metrics.horizontalAdvance(text().remove('&'))) + 12;
  const int Height = Icon.height() + Metrics.height() + 12;
  return QSize(Width, Height);
}

QSize TBitBtn::minimumSizeHint() const {
  return FLayout == TButtonLayout::GlyphTop ? sizeHint() : QPushButton::minimumSizeHint();
}

void TBitBtn::paintEvent(QPaintEvent* Event) {
  if (FLayout != TButtonLayout::GlyphTop || icon().isNull()) {
    QPushButton::paintEvent(Event);
    return;
  }
  QPainter Painter(this);
  QStyleOptionButton Option;
  initStyleOption(&Option);
  const QString Caption = Option.text;
  Option.text.clear();
  Option.icon = QIcon();
  style()->drawControl(QStyle::CE_PushButtonBevel, &Option, &Painter, this);
  const QSize Icon = iconSize();
  const QFontMetrics Metrics = fontMetrics();
  const int Top = (height() - Icon.height() - Metrics.height() - 2) / 2;
  const QIcon::Mode Mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  icon().paint(&Painter, QRect((width() - Icon.width()) / 2, Top, Icon.width(), Icon.height()),
               Qt::AlignCenter, Mode);
  const QRect TextRect(0, Top + Icon.height() + 2, width(), Metrics.height());
  style()->drawItemText(&Painter, TextRect, Qt::AlignHCenter | Qt::TextShowMnemonic, palette(),
                        isEnabled(), Caption, QPalette::ButtonText);
  if (hasFocus()) {
    QStyleOptionFocusRect Focus;
    Focus.initFrom(this);
    Focus.rect = rect().adjusted(4, 4, -4, -4);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &Focus, &Painter, this);
  }
}

// ---------------------------------------------------------------- TCheckBox

TCheckBox::TCheckBox(const QString& Caption, QWidget* Parent) : QCheckBox(Caption, Parent) {
  // toggled comes with every change of the state, the user's and the program's alike.
  connect(this, &QAbstractButton::toggled, this, [this](bool) { CallHandler(OnClick); });
}

// ---------------------------------------------------------------- TStatusBar

TStatusBar::TStatusBar(QWidget* Parent) : QWidget(Parent), FLayout(new QHBoxLayout(this)) {
  FLayout->setContentsMargins(0, 0, 0, 0);
  FLayout->setSpacing(2);
  FLayout->addStretch(1);
}

int TStatusBar::AddPanel(int Width, const std::string& Text) {
  auto* Panel = new QLabel(ToQString(Text), this);
  Panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel->setFixedWidth(Width);
  Panel->setTextFormat(Qt::PlainText);
  FLayout->insertWidget(static_cast<int>(FPanels.size()), Panel);
  FPanels.push_back(Panel);
  return static_cast<int>(FPanels.size()) - 1;
}

std::string TStatusBar::PanelText(int Index) const {
  return ToStdString(FPanels.at(static_cast<size_t>(Index))->text());
}

void TStatusBar::SetPanelText(int Index, const std::string& Text) {
  FPanels.at(static_cast<size_t>(Index))->setText(ToQString(Text));
}

int TStatusBar::PanelWidth(int Index) const { return FPanels.at(static_cast<size_t>(Index))->width(); }

QLabel* TStatusBar::Panel(int Index) const { return FPanels.at(static_cast<size_t>(Index)); }

// ---------------------------------------------------------------- TDBNavigator

TDBNavigator::TDBNavigator(std::vector<TNavigateBtn> Buttons, QWidget* Parent) : QWidget(Parent) {
  auto* Layout = new QHBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);
  for (TNavigateBtn Kind : Buttons) {
    auto* Button = new QToolButton(this);
    static const char* const Hints[] = {"First", "Prior", "Next", "Last"};
    static const TGlyph Glyphs[] = {TGlyph::First, TGlyph::Prior, TGlyph::Next, TGlyph::Last};
    Button->setIcon(GlyphIcon(Glyphs[Kind]));
    Button->setToolTip(Hints[Kind]);
    Button->setAccessibleName(Hints[Kind]);
    Button->setFocusPolicy(Qt::TabFocus);
    Button->setAutoRaise(false);
    Layout->addWidget(Button);
    connect(Button, &QToolButton::clicked, this, [this, Kind]() { BtnClick(Kind); });
    FButtons.emplace_back(Kind, Button);
  }
}

QToolButton* TDBNavigator::Button(TNavigateBtn Kind) const {
  for (const auto& [K, B] : FButtons)
    if (K == Kind) return B;
  return nullptr;
}

void TDBNavigator::BtnClick(TNavigateBtn Kind) {
  CallHandler(OnClick, Kind);
}

// ---------------------------------------------------------------- menus

TMenuItem::TMenuItem(const std::string& AName, const std::string& ACaption)
    : Name(AName), Caption(ACaption) {}

TMenuItem::~TMenuItem() = default;

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> Item) {
  Item->FParent = this;
  FItems.push_back(std::move(Item));
  return FItems.back().get();
}

std::unique_ptr<TMenuItem> TMenuItem::Extract(int Index) {
  std::unique_ptr<TMenuItem> Item = std::move(FItems.at(static_cast<size_t>(Index)));
  FItems.erase(FItems.begin() + Index);
  Item->FParent = nullptr;
  return Item;
}

void TMenuItem::Clear() { FItems.clear(); }

void TMenuItem::Click() {
  // The handler may rebuild the menu and so destroy this item: it runs from a copy.
  CallHandler(OnClick, this);
}

namespace {
void FillMenu(QMenu& Menu, TMenuItem& Parent, TMenuItem*& Chosen) {
  for (int I = 0; I < Parent.Count(); ++I) {
    TMenuItem* Item = Parent.Items(I);
    if (Item->Count() > 0) {
      QMenu* Sub = Menu.addMenu(ToQString(Item->Caption));
      Sub->setObjectName(ToQString(Item->Name));
      Sub->menuAction()->setObjectName(ToQString(Item->Name));
      FillMenu(*Sub, *Item, Chosen);
    } else {
      QAction* Action = Menu.addAction(ToQString(Item->Caption));
      Action->setObjectName(ToQString(Item->Name));
      QObject::connect(Action, &QAction::triggered, &Menu, [Item, &Chosen]() { Chosen = Item; });
    }
  }
}
}  // namespace

void TPopupMenu::Popup(int X, int Y) {
  TMenuItem* Chosen = nullptr;
  {
    QMenu Menu;
    FillMenu(Menu, Items, Chosen);
    FShown = &Menu;
    Menu.exec(QPoint(X, Y));
    FShown = nullptr;
  }
  // The choice runs once the menu is gone, so its handler may rebuild the items.
  if (Chosen != nullptr) Chosen->Click();
}
