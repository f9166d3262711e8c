#include "fixeddecoration.h"

#include <QWindow>
#include <QtGui/private/qwindow_p.h>
#include <QtPlugin>
#include <QtWaylandClient/private/qwaylandabstractdecoration_p.h>
#include <QtWaylandClient/private/qwaylanddecorationfactory_p.h>
#include <QtWaylandClient/private/qwaylanddecorationplugin_p.h>

using namespace QtWaylandClient;

namespace {

const char fixedKey[] = "tarvelo";
const char decorationVariable[] = "QT_WAYLAND_DECORATION";

// The decoration the user asked for, if any, before the program asked for its own.
QByteArray requestedKey;

// The decoration Qt takes by itself: the one asked for, else GNOME's where the
// desktop is GNOME, else the first of the others.
QString decoratedKey()
{
    QStringList keys = QWaylandDecorationFactory::keys();
    keys.removeAll(QLatin1String(fixedKey));
    if (keys.contains(QString::fromLocal8Bit(requestedKey)))
        return QString::fromLocal8Bit(requestedKey);
    const bool gnome = qgetenv("XDG_CURRENT_DESKTOP").toUpper().split(':').contains("GNOME");
    for (const QString& key : {QStringLiteral("adwaita"), QStringLiteral("gnome")}) {
        if (gnome && keys.contains(key))
            return key;
        keys.removeAll(key);
    }
    return keys.value(0);
}

// Calls the paint of another decoration, which decorations keep protected.
struct PaintOf : QWaylandAbstractDecoration {
    static void call(QWaylandAbstractDecoration& decoration, QPaintDevice* device)
    {
        (decoration.*&PaintOf::paint)(device);
    }
};

// Qt's own decoration, drawn and handed every input as it is, with one
// change: Qt's decorations maximize, from their button or a double-click on
// the title, by toggling that bit of the window's recorded state and asking
// the compositor for the result. While the input for a window of fixed size
// is handled, its recorded state carries the bit, so that the toggle clears
// it: the compositor is asked for the state it has already applied, which Qt
// does not send again. Minimize, close, move and the window menu go through.
class FixedDecoration : public QWaylandAbstractDecoration {
public:
    explicit FixedDecoration(QWaylandAbstractDecoration* decorated)
        : m_decorated(decorated)
    {
        decorated->setParent(this);
    }

    QMargins margins(MarginsType type) const override { return decorated().margins(type); }

    bool handleMouse(QWaylandInputDevice* device, const QPointF& local, const QPointF& global,
                     Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) override
    {
        return withMaximizeDisarmed(
            [&] { return decorated().handleMouse(device, local, global, buttons, modifiers); });
    }

    bool handleTouch(QWaylandInputDevice* device, const QPointF& local, const QPointF& global,
                     QEventPoint::State state, Qt::KeyboardModifiers modifiers) override
    {
        return withMaximizeDisarmed(
            [&] { return decorated().handleTouch(device, local, global, state, modifiers); });
    }

protected:
    void paint(QPaintDevice* device) override { PaintOf::call(decorated(), device); }

private:
    QWaylandAbstractDecoration& decorated() const
    {
        if (!m_decorated->waylandWindow())
            m_decorated->setWaylandWindow(waylandWindow());
        return *m_decorated;
    }

    template <typename Handle> bool withMaximizeDisarmed(Handle handle)
    {
        QWindow* const handled = window();
        const Qt::WindowStates recorded = QWindowPrivate::get(handled)->windowState;
        const bool fixed =
            handled->minimumSize() == handled->maximumSize() && !(recorded & Qt::WindowMaximized);
        if (fixed)
            QWindowPrivate::get(handled)->windowState = recorded | Qt::WindowMaximized;
        const bool taken = handle();
        if (fixed && QWindowPrivate::get(handled)->windowState == (recorded | Qt::WindowMaximized))
            QWindowPrivate::get(handled)->windowState = recorded;
        return taken;
    }

    QWaylandAbstractDecoration* m_decorated;
};

class FixedDecorationPlugin : public QWaylandDecorationPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QWaylandDecorationFactoryInterface_iid FILE "fixeddecoration.json")

public:
    QWaylandAbstractDecoration* create(const QString&, const QStringList& parameters) override
    {
        QWaylandAbstractDecoration* decorated =
            QWaylandDecorationFactory::create(decoratedKey(), parameters);
        return decorated ? new FixedDecoration(decorated) : nullptr;
    }
};

} // namespace

Q_IMPORT_PLUGIN(FixedDecorationPlugin)

void useFixedDecoration()
{
    if (qgetenv(decorationVariable) != fixedKey)
        requestedKey = qgetenv(decorationVariable);
    qputenv(decorationVariable, fixedKey);
}

#include "fixeddecoration.moc"
