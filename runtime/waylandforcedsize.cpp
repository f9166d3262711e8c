#include "waylandforcedsize.h"

#include <QGuiApplication>
#include <QWidget>

namespace {

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

void takeForcedSize(QWidget& window)
{
    // On Wayland the new state is already acknowledged when it is reported:
    // any frame committed at the fixed size from now on, even the one that a
    // change of the size limits commits, is the protocol error. Hidden first,
    // the window drops its surface without committing; shown again, it is
    // created in the new state and takes the compositor's size.
    const bool recreate = onWayland() && window.isVisible();
    if (recreate)
        window.hide();
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (recreate)
        window.show();
}

GrowingMessageBox::GrowingMessageBox(QWidget* parent)
    : QMessageBox(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Ok, parent)
{
}

// A box cannot be shown anew while it is up: it may only grow, and its
// controls keep their size and place.
bool GrowingMessageBox::event(QEvent* event)
{
    const bool handled = QMessageBox::event(event);
    if ((event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest) && onWayland())
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return handled;
}
