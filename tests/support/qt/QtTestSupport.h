#pragma once
// Helpers for the widget tests.

#include <QString>
#include <functional>

// Runs Action on the next modal window that opens (polled from the event loop),
// so a test can answer or close a dialog that the code under test shows with exec().
// Gives up after TimeoutMs.
void WhenModalShown(std::function<void(class QWidget* Modal)> Action, int TimeoutMs = 5000);
