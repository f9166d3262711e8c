#include "announcer.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QWidget>

// Qt 6.8 sends announcements of its own: an AT-SPI announcement on Linux, a
// UI Automation notification on Windows. Before 6.8, Qt has none, and a
// notification object of the window that is shown anew for each message
// stands in; Windows hears nothing of it. Without either, e2e.x11.compute
// fails ("the result told"). Delete the fallback with Qt 6.4.
#define ANNOUNCE_THROUGH_NOTIFICATION (QT_VERSION < QT_VERSION_CHECK(6, 8, 0))

#if ANNOUNCE_THROUGH_NOTIFICATION
namespace {

class AccessibleAnnouncer : public QAccessibleObject {
public:
    explicit AccessibleAnnouncer(Announcer* announcer)
        : QAccessibleObject(announcer)
    {
    }

    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(&announcer()->window());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? announcer()->message() : QString();
    }

private:
    Announcer* announcer() const { return static_cast<Announcer*>(object()); }
};

} // namespace
#endif

Announcer::Announcer(QWidget& window)
    : m_window(window)
{
}

void Announcer::announce(const QString& message)
{
    m_message = message;
#if ANNOUNCE_THROUGH_NOTIFICATION
    // A notification that becomes visible is spoken; hidden first, the same
    // notification is shown anew for every message. Its new name is sent
    // before it shows, so that a reader that keeps names never speaks the
    // one before.
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(this);
    if (!iface) {
        iface = new AccessibleAnnouncer(this);
        QAccessible::registerAccessibleInterface(iface);
    }
    for (QAccessible::Event change :
         {QAccessible::ObjectHide, QAccessible::NameChanged, QAccessible::ObjectShow}) {
        QAccessibleEvent event(iface, change);
        QAccessible::updateAccessibility(&event);
    }
#else
    QAccessibleAnnouncementEvent event(&m_window, message);
    QAccessible::updateAccessibility(&event);
#endif
}
