#include "closeundermodalbox.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

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

void refuseCloseUnderModalBox(QWidget& form)
{
    new CloseGuard(form);
}
