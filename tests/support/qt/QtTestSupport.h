#pragma once
// Helpers for the widget tests.

#include <QString>
#include <functional>

// Runs Action on the next modal window that opens (polled from the event loop),
// so a test can answer or close a dialog that the code under test shows with exec().
// Gives up after TimeoutMs.
void WhenModalShown(std::function<void(class QWidget* Modal)> Action, int TimeoutMs = 5000);

// Does to the program what a modal window does while it is up: a window of its
// own takes the activation and the keyboard focus, and events run in a loop of
// its own meanwhile, so an in-place editor that closes when it loses the focus is
// destroyed before this returns. The window is gone when it returns. Meant for
// TFakeEnv::WhileShown, so that a faked box acts on the windows below it as a
// real one does.
void ImitateModalWindow();
