#include "closeundermodalbox.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

// Qt 6.4 passes a compositor's close request (the close button, alt+F4, the
// window menu) to a window that a modal box blocks, and closes it: the form
// hides under the box and the program runs on without a window (Sway, GNOME
// and KDE Plasma on Wayland). Qt 6.8 refuses it itself. Without this,
// e2e.sway.warnings fails on Qt 6.4. Delete with Qt 6.4.
#define CLOSE_REACHES_BLOCKED_WINDOW (QT_VERSION < QT_VERSION_CHECK(6, 8, 0))

#if CLOSE_REACHES_BLOCKED_WINDOW
namespace {

class CloseGuard : public QObject {
public:
    explicit CloseGuard(QWidget& form)
        : QObject(&form)
        , m_form(form)
    {
        form.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        QWidget* box = QApplication::activeModalWidget();
        if (watched != &m_form || event->type() != QEvent::Close || !box || box == &m_form)
            return false;
        event->ignore();
        box->raise();
        box->activateWindow();
        return true;
    }

private:
    QWidget& m_form;
};

} // namespace
#endif

void refuseCloseUnderModalBox([[maybe_unused]] QWidget& form)
{
#if CLOSE_REACHES_BLOCKED_WINDOW
    new CloseGuard(form);
#endif
}
