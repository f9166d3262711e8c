#include "windowframe.h"

#include "waylandforcedsize.h"

#include <QEvent>
#include <QWidget>

namespace {

// The form's description gives it equal minimum and maximum sizes: a desktop
// seeing them offers no maximize (GNOME, KDE Plasma, X11 window managers).
class FormFrame : public QObject {
public:
    explicit FormFrame(QWidget& form)
        : QObject(&form)
        , m_form(form)
    {
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
        if (forced && fixed)
            takeForcedSize(m_form);
        else if (!forced && !fixed)
            m_form.setMaximumSize(m_form.minimumSize());
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
