#pragma once

class QMessageBox;
class QWidget;

// A Wayland compositor may maximize or fullscreen any window, and the window
// must then take the size it is given.

// Lifts the size limits of a window on which the platform has just forced a
// larger state.
void takeForcedSize(QWidget& window);

// A message box that takes the size a Wayland compositor forces on it.
QMessageBox* newMessageBox(QWidget* parent);
