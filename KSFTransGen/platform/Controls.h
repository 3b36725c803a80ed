#pragma once
// Small controls the forms need beyond Qt's own: the button with a glyph, the
// check box whose click handler also runs when the program sets it, the status
// bar with fixed-width panels, navigator button pairs and run-time popup menus.
// None of them sets its own objectName: the forms name every control.

#include <QCheckBox>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QMenu;
class QToolButton;

// Standard glyphs for buttons.
enum class TGlyph { None, Ok, Cancel, Exit, Help, Open, Save, New, Print, First, Prior, Next,
                    Last, Insert, Delete, Search, Sort, Edit, Tree, Yes, No, Refresh };
QIcon GlyphIcon(TGlyph Glyph);

enum class TButtonLayout { GlyphLeft, GlyphTop };

// A push button with a glyph beside or above its caption, and a modal result
// (see Forms.h) given to its form before OnClick runs.
class TBitBtn : public QPushButton {
  Q_OBJECT
 public:
  explicit TBitBtn(const QString& Caption = QString(), QWidget* Parent = nullptr);

  void SetGlyph(TGlyph Glyph);
  void SetGlyph(const QIcon& Icon);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int ModalResult() const;
  void SetModalResult(int Value);

  // Runs on every click (after the modal result has been handed to the form);
  // errors reach the default error box.
  std::function<void()> OnClick;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* Event) override;

 private:
  TButtonLayout FLayout = TButtonLayout::GlyphLeft;
};

// A check box whose OnClick runs at every change of its state, whether the user
// clicks it or the program sets Checked.
class TCheckBox : public QCheckBox {
  Q_OBJECT
 public:
  explicit TCheckBox(const QString& Caption = QString(), QWidget* Parent = nullptr);
  bool Checked() const { return isChecked(); }
  void SetChecked(bool Value) { setChecked(Value); }
  std::function<void()> OnClick;
};

// A status bar of panels of fixed widths, left to right.
class TStatusBar : public QWidget {
  Q_OBJECT
 public:
  explicit TStatusBar(QWidget* Parent = nullptr);
  // Appends a panel; returns its index.
  int AddPanel(int Width, const std::string& Text = std::string());
  int PanelCount() const { return static_cast<int>(FPanels.size()); }
  std::string PanelText(int Index) const;
  void SetPanelText(int Index, const std::string& Text);
  int PanelWidth(int Index) const;
  QLabel* Panel(int Index) const;

 private:
  std::vector<QLabel*> FPanels;
  class QHBoxLayout* FLayout;
};

// The buttons of a navigator.
enum TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast };

// A row of navigator buttons (any of first, prior, next, last) that reports which
// one was clicked.
class TDBNavigator : public QWidget {
  Q_OBJECT
 public:
  explicit TDBNavigator(std::vector<TNavigateBtn> Buttons, QWidget* Parent = nullptr);
  // The button of that kind, or null when the navigator has none.
  QToolButton* Button(TNavigateBtn Kind) const;
  // Clicks a button as the user does.
  void BtnClick(TNavigateBtn Kind);
  std::function<void(TNavigateBtn Button)> OnClick;

 private:
  std::vector<std::pair<TNavigateBtn, QToolButton*>> FButtons;
};

// An item of a popup menu: a name the program reads back, a caption, sub-items
// it owns, and a click handler that receives the item.
class TMenuItem {
 public:
  TMenuItem(const std::string& Name = std::string(), const std::string& Caption = std::string());
  ~TMenuItem();
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  std::string Name;
  std::string Caption;
  std::function<void(TMenuItem* Sender)> OnClick;

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const { return FItems.at(static_cast<size_t>(Index)).get(); }
  TMenuItem* Parent() const { return FParent; }
  // Takes ownership; returns the item.
  TMenuItem* Add(std::unique_ptr<TMenuItem> Item);
  // Removes the item at Index and hands it to the caller.
  std::unique_ptr<TMenuItem> Extract(int Index);
  // Removes and destroys every sub-item.
  void Clear();
  // Runs OnClick as a choice of the user does.
  void Click();

 private:
  TMenuItem* FParent = nullptr;
  std::vector<std::unique_ptr<TMenuItem>> FItems;
};

// A popup menu built at run time from a tree of items. Popping up shows a QMenu
// whose actions (and sub-menus) carry the items' names as objectName.
class TPopupMenu {
 public:
  TPopupMenu() = default;
  TMenuItem Items;  // the top level
  // Shows the menu at a screen position and returns when it closes (the chosen
  // item's OnClick has run by then).
  void Popup(int X, int Y);
  // The menu being shown, or null (for tests that choose from it).
  QMenu* ShownMenu() const { return FShown; }

 private:
  QMenu* FShown = nullptr;
};
