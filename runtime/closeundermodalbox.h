#pragma once

class QWidget;

// A Wayland compositor's close request (the close button, alt+F4, the window
// menu) reaches the owner of a modal box too, and Qt closes it: the form
// hides under the box and the program runs on without a window. While a
// modal box of the program is up, the form refuses the request and the box
// stays in front, as a desktop does for the owner of a modal box. Needed with
// Qt 6.4 and 6.8 on Wayland (Sway, GNOME, KDE Plasma). Without it
// e2e.sway.warnings fails. Goes when Qt refuses it for the owner of a modal
// box itself.
void refuseCloseUnderModalBox(QWidget& form);
