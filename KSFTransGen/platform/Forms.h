#pragma once
// The form: a window that can be shown modelessly or modally, with a modal result,
// a close query, a cancel button (Esc) and a default button (Enter), and a key
// preview that lets it see keys before its controls.
//
// Modal results follow the toolkit: a button that carries one gives it to its
// form the moment it is clicked, before its click handler runs; the form closes
// with that result when the handler returns, unless the handler set it back to
// mrNone. Setting ModalResult, or calling Close, from inside an operation of a
// modally shown form takes effect once that operation has ended, after
// OnCloseQuery has agreed.

#include <QDialog>
#include <QPointer>
#include <functional>

#include "Env.h"
#include "Keys.h"

class QAbstractButton;

class TForm : public QDialog {
  Q_OBJECT
 public:
  explicit TForm(QWidget* Parent = nullptr);

  int ModalResult() const { return FModalResult; }
  void SetModalResult(int Value);
  // Shows the form modally; returns its modal result.
  int ShowModal();
  // Asks to close: OnCloseQuery may refuse; a modal form ends with mrCancel
  // (or the result already set), a modeless one hides.
  void Close();
  bool Modal() const { return FModal; }

  // Esc clicks this button while it is enabled; without one Esc does nothing.
  void SetCancelButton(QAbstractButton* Button);
  // Enter clicks this button (unless another button has the focus).
  void SetDefaultButton(class QPushButton* Button);

  // Gives every key to OnKeyDown before the control with the focus sees it.
  bool KeyPreview = false;

  std::function<void()> OnShow;
  std::function<void(bool& CanClose)> OnCloseQuery;
  std::function<void()> OnClose;
  std::function<void(uint16_t& Key, TShiftState Shift)> OnKeyDown;

 protected:
  void showEvent(QShowEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void reject() override;

 private:
  bool CanClose();
  void CheckModalResult();

  int FModalResult = mrNone;
  bool FModal = false;
  bool FCheckQueued = false;
  bool FClosing = false;
  QPointer<QAbstractButton> FCancelButton;
};

// Gives the button a modal result that it hands to its form when clicked.
void SetButtonModalResult(QAbstractButton* Button, int ModalResult);
int ButtonModalResult(const QAbstractButton* Button);
// Gives the button's modal result (if any) to the form it is on.
void HandModalResultToForm(QAbstractButton* Button);
