#pragma once

#include <QMessageBox>

class QWidget;

// A Wayland compositor may maximize or fullscreen any window, and the window
// must then take the size it is given. Qt keeps a window of fixed size
// (equal minimum and maximum sizes) at that size, and the compositor ends
// the program for the next frame with a protocol error. Needed with Qt 6.4
// and 6.8 on Wayland, where Weston's key or Qt's own title bar maximizes
// (Weston; GNOME with Qt 6.8); an X11 window manager, KWin and mutter honour
// the fixed size. Without it e2e.weston.maximize, e2e.gnome.maximize and
// e2e.weston.warnings fail. Goes when Qt lifts the size limits of a window
// that the compositor forces larger.

// Lifts the size limits of a window on which the platform has just forced a
// larger state.
void takeForcedSize(QWidget& window);

// A message box, which fixes its size to its contents whenever it is shown
// or laid out anew, and is let grow again each time on Wayland.
class GrowingMessageBox : public QMessageBox {
public:
    explicit GrowingMessageBox(QWidget* parent);

protected:
    bool event(QEvent* event) override;
};
