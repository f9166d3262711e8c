#include "windowframe.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// Holds a form at its own size; a desktop seeing a window whose minimum and
// maximum sizes agree offers no maximize (GNOME, KDE Plasma, X11 window
// managers). Some compositors maximize such a window all the same, and the
// window must then take the size it is given.
class FormFrame : public QObject {
public:
    explicit FormFrame(QWidget& form)
        : QObject(&form)
        , m_form(form)
    {
        form.setMaximumSize(form.minimumSize());
        form.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_form)
            return false;
        switch (event->type()) {
        case QEvent::WindowStateChange:
            followState();
            break;
        case QEvent::Resize:
            centreForm();
            break;
        case QEvent::Close:
            return refuseCloseUnderModalBox(event);
        default:
            break;
        }
        return false;
    }

private:
    bool fixed() const { return m_form.maximumSize() == m_form.minimumSize(); }

    void followState()
    {
        const bool forced = m_form.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
        if (forced != fixed())
            return;
        if (!forced) {
            m_form.setMaximumSize(m_form.minimumSize());
            return;
        }
        // On Wayland the new state is already acknowledged when it is
        // reported, and Qt has kept the fixed size: any frame committed at
        // that size from now on, even the one that a change of the size
        // limits commits, is a protocol error that ends the program. Hidden
        // first, the window drops its surface without committing; shown
        // again, it is created in the new state and takes the compositor's
        // size.
        const bool recreate = onWayland() && m_form.isVisible();
        if (recreate)
            m_form.hide();
        m_form.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (recreate)
            m_form.show();
    }

    // While a modal box of the program is up, a request to close the form
    // is refused and the box stays in front, as a desktop does for the owner
    // of a modal box; without this, a compositor's close request would hide
    // the form under the box and leave the program running without a window.
    bool refuseCloseUnderModalBox(QEvent* event)
    {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || box == &m_form)
            return false;
        event->ignore();
        box->raise();
        box->activateWindow();
        return true;
    }

    // Keeps the form in the middle of a window larger than the form.
    void centreForm()
    {
        const QSize spare = (m_form.size() - m_form.minimumSize()).expandedTo(QSize(0, 0));
        const QPoint offset(spare.width() / 2, spare.height() / 2);
        const QPoint shift = offset - m_offset;
        if (shift.isNull())
            return;
        for (QWidget* child : m_form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            child->move(child->pos() + shift);
        m_offset = offset;
    }

    QWidget& m_form;
    QPoint m_offset;
};

} // namespace

void keepFormSize(QWidget& form)
{
    new FormFrame(form);
}

void letGrowWhereForced(QWidget& window)
{
    // A Wayland compositor may maximize any window, and the window must then
    // take the size it is given. Qt keeps a fixed size instead, which the
    // compositor rejects as a protocol error that ends the program. An X11
    // window manager honours the fixed size.
    if (onWayland())
        window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}
