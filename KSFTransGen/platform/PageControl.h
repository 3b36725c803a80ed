#pragma once
// The page control: tabbed pages whose change the program may refuse before it
// happens. A change the user asks for (a click on a tab, the keyboard, or
// SelectNextPage) runs OnChanging(AllowChange) first and, when allowed, changes
// the page and runs OnChange. Setting ActivePage from the program changes the page
// without either event.

#include <QTabWidget>
#include <functional>
#include <string>

class TTabSheet : public QWidget {
  Q_OBJECT
 public:
  explicit TTabSheet(QWidget* Parent = nullptr) : QWidget(Parent) {}
};

class TPageControl : public QTabWidget {
  Q_OBJECT
 public:
  explicit TPageControl(QWidget* Parent = nullptr);

  // Appends a page with its tab caption ("&" marks the accelerator).
  TTabSheet* AddPage(const QString& Caption);
  int PageCount() const { return count(); }
  TTabSheet* Pages(int Index) const;
  TTabSheet* ActivePage() const;
  void SetActivePage(QWidget* Page);
  int ActivePageIndex() const { return currentIndex(); }
  void SetActivePageIndex(int Index);
  // Shows or hides a page's tab.
  void SetTabVisible(int Index, bool Visible);
  bool TabVisible(int Index) const;

  // Moves to the next page (or the previous one) among those whose tabs are shown,
  // wrapping round, as the user does: OnChanging, then the change and OnChange.
  void SelectNextPage(bool GoForward);
  // Asks for a change to the page as a click on its tab does. True when it happened.
  bool RequestPage(int Index);

  std::function<void(bool& AllowChange)> OnChanging;
  std::function<void()> OnChange;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;

 private:
  int FSilent = 0;
};
