#include "windowframe.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#ifdef TARVELO_FIXED_DECORATION
#include "fixeddecoration.h"
#endif

namespace {

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

#ifdef TARVELO_FIXED_DECORATION
// Qt 6.8 and later: the title bar that Qt draws where a Wayland compositor
// leaves the frame to the client is the program's own decoration, which
// disarms a fixed window's maximize.
void guardTitleBar(QWidget&)
{
    useFixedDecoration();
}
#else
// Qt 6.4: where a Wayland compositor leaves the frame to the client, Qt draws
// a title bar whose maximize button ignores the window's size limits and
// flags: its click asks the compositor to maximize at once. Qt's title bar is
// 30 units high, and its maximize button is 18 wide, 49 from the frame's
// right edge. While the window is fixed, its input region leaves that spot
// out: a click there goes to what lies beneath, never to Qt. The minimize and
// close buttons beside it keep working.
class TitleBarMask : public QObject {
public:
    explicit TitleBarMask(QWidget& form)
        : QObject(&form)
        , m_form(form)
    {
        form.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_form && event->type() == QEvent::Show && onWayland())
            m_form.windowHandle()->installEventFilter(this);
        // After the frame that the exposure draws: before its first frame, a
        // window committing a change of its input region has no contents yet,
        // which GNOME's mutter warns of as an invalid window geometry.
        if (watched == m_form.windowHandle() && event->type() == QEvent::Expose)
            QMetaObject::invokeMethod(this, &TitleBarMask::update, Qt::QueuedConnection);
        return false;
    }

private:
    // Set once the title bar is there, that is once the window is exposed,
    // and while the window is fixed; a compositor that draws the frame itself
    // leaves no margins.
    void update()
    {
        QWindow* window = m_form.windowHandle();
        if (!window || m_form.maximumSize() != m_form.minimumSize() || !window->isExposed() ||
            window->frameMargins().top() <= 0)
            return;
        const QRegion mask = withoutMaximizeButton(*window);
        if (window->mask() != mask)
            window->setMask(mask);
    }

    static QRegion withoutMaximizeButton(const QWindow& window)
    {
        const QRect frame(QPoint(0, 0), window.frameGeometry().size());
        const int titleHeight = window.frameMargins().top();
        const double unit = titleHeight / 30.0;
        const QRect button(frame.width() - qRound(49 * unit), 0, qRound(18 * unit), titleHeight);
        return QRegion(frame).subtracted(button);
    }

    QWidget& m_form;
};

void guardTitleBar(QWidget& form)
{
    new TitleBarMask(form);
}
#endif

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
        guardTitleBar(form);
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
        // size, with every part of its title bar taking input.
        const bool recreate = onWayland() && m_form.isVisible();
        if (recreate)
            m_form.hide();
        m_form.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (recreate) {
            m_form.windowHandle()->setMask(QRegion());
            m_form.show();
        }
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
