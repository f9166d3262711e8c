#include "windowframe.h"

#include <QGuiApplication>
#include <QWidget>

void letGrowWhereForced(QWidget& window)
{
    // A Wayland compositor may maximize any window, and the window must then
    // take the size it is given. Qt keeps a fixed size instead, which the
    // compositor rejects as a protocol error that ends the program. An X11
    // window manager honours the fixed size.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}
