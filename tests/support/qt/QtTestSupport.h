#pragma once
// Helpers for the widget tests.
//
// Every widget test program gets a guard with these helpers: a modal window that
// the test did not arrange for (with WhenModalShown or ArrangeModal) fails the
// running test at once and is closed, so that the test runs on to its end instead
// of waiting for its time-out; and a modal window that a WhenModalShown action left
// open after a failed check is closed the same way.

#include <QString>
#include <functional>

class QWidget;

// Runs Action on the next modal window that opens (polled from the event loop),
// so a test can answer or close a dialog that the code under test shows with exec().
// Gives up after TimeoutMs, or once the test function (or data row) that called
// it has ended, since Action may refer to its locals. Until it has run (or given
// up) a modal window that opens in that test is an arranged one.
void WhenModalShown(std::function<void(QWidget* Modal)> Action, int TimeoutMs = 5000);

// Marks a window that the test itself shows modally (or handles by other means)
// as arranged, so the guard leaves it alone.
void ArrangeModal(QWidget* Window);

// Closes a modal window whatever its close query says: a dialog ends its exec()
// as rejected, any other window is closed and hidden.
void ForceCloseModal(QWidget* Window);

// Does to the program what a modal window does while it is up: a window of its
// own takes the activation and the keyboard focus, and events run in a loop of
// its own meanwhile, so an in-place editor that closes when it loses the focus is
// destroyed before this returns. The window is gone when it returns. Meant for
// TFakeEnv::WhileShown, so that a faked box acts on the windows below it as a
// real one does.
void ImitateModalWindow();
