#pragma once
// Window scaling: forms are laid out for 96 pixels per inch and scaled to the
// screen by ScreenDPI / 96.

#include <cstdint>

class QWidget;

// Design size scaled for the screen: ScreenDPI x Design / 96 in 32-bit integers,
// multiply first, truncating toward zero.
int32_t ScaleForScreen(int32_t Design);
// Measures ScreenDPI (the screen's logical dots per inch, horizontally) once: the
// first call sets it, later calls leave it. Returns it.
int32_t MeasureScreenDPI(const QWidget* Window = nullptr);
// Resizes a window to its design size scaled for the screen (width first).
void ScaleWindow(QWidget& Window, int32_t DesignWidth, int32_t DesignHeight);
// Puts a control of a dialog laid out at fixed positions at its design place,
// each of the four sizes scaled for the screen on its own.
void PlaceScaled(QWidget* Control, int32_t Left, int32_t Top, int32_t Width, int32_t Height);
// The 11-pixel face for which the dialogs' design sizes were laid out, scaled
// for the screen as the windows are.
void UseDesignFont(QWidget& Form);
// The frame of a dialog laid out at fixed positions: a title and only a close
// box, no resizing by the user, and the design face.
void SetFixedDialogFrame(QWidget& Dialog);
