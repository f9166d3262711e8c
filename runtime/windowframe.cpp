#include "windowframe.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

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
        if (watched == &m_form && event->type() == QEvent::WindowStateChange)
            followState();
        else if (watched == &m_form && event->type() == QEvent::Resize)
            centreForm();
        return false;
    }

private:
    void followState()
    {
        const bool forced = m_form.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
        const bool fixed = m_form.maximumSize() == m_form.minimumSize();
        if (forced == fixed)
            m_form.setMaximumSize(fixed ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)
                                        : m_form.minimumSize());
        // On Wayland the new state is already acknowledged when it is
        // reported, and Qt has kept the fixed size: the next frame drawn at
        // that size is a protocol error that ends the program. Hidden, the
        // window drops its surface before drawing it; shown again, it is
        // created in the new state and takes the compositor's size.
        if (forced && fixed && onWayland()) {
            m_form.hide();
            m_form.show();
        }
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
