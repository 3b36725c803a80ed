#include "PageControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcutEvent>
#include <QTabBar>

#include "QtEnv.h"

TPageControl::TPageControl(QWidget* Parent) : QTabWidget(Parent) {
  tabBar()->installEventFilter(this);
  connect(this, &QTabWidget::currentChanged, this, [this](int) {
    if (FSilent == 0) CallHandler(OnChange);
  });
}

TTabSheet* TPageControl::AddPage(const QString& Caption) {
  auto* Page = new TTabSheet(this);
  ++FSilent;  // the first page becomes current as it is added, which is no change by the user
  addTab(Page, Caption);
  --FSilent;
  return Page;
}

TTabSheet* TPageControl::Pages(int Index) const { return qobject_cast<TTabSheet*>(widget(Index)); }

TTabSheet* TPageControl::ActivePage() const { return qobject_cast<TTabSheet*>(currentWidget()); }

void TPageControl::SetActivePage(QWidget* Page) {
  ++FSilent;
  setCurrentWidget(Page);
  --FSilent;
}

void TPageControl::SetActivePageIndex(int Index) {
  ++FSilent;
  setCurrentIndex(Index);
  --FSilent;
}

void TPageControl::SetTabVisible(int Index, bool Visible) {
  ++FSilent;
  setTabVisible(Index, Visible);
  --FSilent;
}

bool TPageControl::TabVisible(int Index) const { return isTabVisible(Index); }

bool TPageControl::RequestPage(int Index) {
  if (Index < 0 || Index >= count() || Index == currentIndex()) return false;
  bool Allow = true;
  // The check may ask (a box), save or reread: the change goes on only while the
  // control is still there and the page still one to go to.
  const QPointer<TPageControl> Self(this);
  if (!CallHandler(OnChanging, Allow)) Allow = false;
  if (Self.isNull() || !Allow || Index >= count() || Index == currentIndex()) return false;
  setCurrentIndex(Index);  // runs OnChange
  return true;
}

void TPageControl::SelectNextPage(bool GoForward) {
  const int Count = count();
  if (Count == 0) return;
  int Index = currentIndex();
  for (int Step = 0; Step < Count; ++Step) {
    Index = (Index + (GoForward ? 1 : Count - 1)) % Count;
    if (Index == currentIndex()) return;
    if (isTabVisible(Index) && isTabEnabled(Index)) {
      RequestPage(Index);
      return;
    }
  }
}

bool TPageControl::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == tabBar()) {
    if (Event->type() == QEvent::MouseButtonPress || Event->type() == QEvent::MouseButtonDblClick) {
      auto* Mouse = static_cast<QMouseEvent*>(Event);
      if (Mouse->button() == Qt::LeftButton) {
        const int Index = tabBar()->tabAt(Mouse->position().toPoint());
        Event->accept();
        if (Index >= 0 && Index != currentIndex()) RequestPage(Index);
        return true;  // the tab bar never changes the page on its own
      }
    } else if (Event->type() == QEvent::KeyPress) {
      auto* Key = static_cast<QKeyEvent*>(Event);
      if (Key->key() == Qt::Key_Left || Key->key() == Qt::Key_Up) {
        Event->accept();
        SelectNextPage(false);
        return true;
      }
      if (Key->key() == Qt::Key_Right || Key->key() == Qt::Key_Down) {
        Event->accept();
        SelectNextPage(true);
        return true;
      }
    } else if (Event->type() == QEvent::Shortcut) {
      // An accelerator of a tab's caption.
      auto* Shortcut = static_cast<QShortcutEvent*>(Event);
      for (int I = 0; I < count(); ++I) {
        if (isTabVisible(I) && QKeySequence::mnemonic(tabText(I)) == Shortcut->key()) {
          Event->accept();
          RequestPage(I);
          return true;
        }
      }
    } else if (Event->type() == QEvent::Wheel) {
      return true;
    }
  }
  return QTabWidget::eventFilter(Watched, Event);
}

void TPageControl::keyPressEvent(QKeyEvent* Event) {
  // Ctrl+Tab / Ctrl+Shift+Tab and Ctrl+PgDn / Ctrl+PgUp ask for the page change too.
  if (Event->modifiers() & Qt::ControlModifier) {
    switch (Event->key()) {
      case Qt::Key_Tab: SelectNextPage(!(Event->modifiers() & Qt::ShiftModifier)); return;
      case Qt::Key_Backtab: SelectNextPage(false); return;
      case Qt::Key_PageDown: SelectNextPage(true); return;
      case Qt::Key_PageUp: SelectNextPage(false); return;
      default: break;
    }
  }
  QTabWidget::keyPressEvent(Event);
}
