#include "announcer.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QWidget>

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

Announcer::Announcer(QWidget& window)
    : m_window(window)
{
}

// A notification that becomes visible is spoken; hidden first, the same
// notification is shown anew for every message.
void Announcer::announce(const QString& message)
{
    m_message = message;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(this);
    if (!iface) {
        iface = new AccessibleAnnouncer(this);
        QAccessible::registerAccessibleInterface(iface);
    }
    for (QAccessible::Event change : {QAccessible::ObjectHide, QAccessible::ObjectShow}) {
        QAccessibleEvent event(iface, change);
        QAccessible::updateAccessibility(&event);
    }
}
