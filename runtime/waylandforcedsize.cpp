#include "waylandforcedsize.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>

// Qt 6.4 keeps a window of fixed size (equal minimum and maximum sizes) at
// that size in a state that a Wayland compositor forced on it, and the
// compositor ends the program for the next frame with a protocol error
// (Weston's key, Qt's own title bar under Weston; an X11 window manager,
// KWin and mutter honour the fixed size). Qt 6.8 takes the compositor's size.
// Without this, e2e.weston.maximize and e2e.weston.warnings fail on Qt 6.4.
// Delete with Qt 6.4.
#define FIXED_SIZE_OUTLIVES_FORCED_STATE (QT_VERSION < QT_VERSION_CHECK(6, 8, 0))

#if FIXED_SIZE_OUTLIVES_FORCED_STATE
namespace {

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// A message box fixes its size to its contents whenever it is shown or laid
// out anew, and is let grow again each time. It cannot be shown anew while it
// is up: it may only grow, and its controls keep their size and place.
class GrowingMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    bool event(QEvent* event) override
    {
        const bool handled = QMessageBox::event(event);
        if ((event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest) &&
            onWayland())
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        return handled;
    }
};

} // namespace
#endif

void takeForcedSize(QWidget& window)
{
    // The new state is already acknowledged when it is reported: any frame
    // committed at the fixed size from now on, even the one that a change of
    // the size limits commits, is the protocol error. Hidden first, the window
    // drops its surface without committing; shown again, it is created in the
    // new state and takes the compositor's size.
#if FIXED_SIZE_OUTLIVES_FORCED_STATE
    const bool recreate = onWayland() && window.isVisible();
#else
    const bool recreate = false;
#endif
    if (recreate)
        window.hide();
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (recreate)
        window.show();
}

QMessageBox* newMessageBox(QWidget* parent)
{
#if FIXED_SIZE_OUTLIVES_FORCED_STATE
    using Box = GrowingMessageBox;
#else
    using Box = QMessageBox;
#endif
    return new Box(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Ok, parent);
}
