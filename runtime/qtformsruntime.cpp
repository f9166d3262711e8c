#include "qtformsruntime.h"

#include "announcer.h"
#include "runtimeerror.h"
#include "windowframe.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>

namespace {

// A message box fixes its size to its contents whenever it is shown or laid
// out anew; each time, it is let grow again where the platform forces it to.
class MessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    bool event(QEvent* event) override
    {
        const bool handled = QMessageBox::event(event);
        if (event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest)
            letGrowWhereForced(*this);
        return handled;
    }
};

} // namespace

QtFormsRuntime::QtFormsRuntime(QWidget& form)
    : m_form(form)
    , m_announcer(form)
{
}

QString QtFormsRuntime::fieldText(const QString& field)
{
    return lineEdit(field).text();
}

void QtFormsRuntime::setFieldText(const QString& field, const QString& text)
{
    QLineEdit& edit = lineEdit(field);
    edit.setText(text);
    // A value written where the user is not, a result say, is told to a
    // screen reader, which would otherwise say nothing of it.
    if (!edit.hasFocus() && !text.trimmed().isEmpty())
        m_announcer.announce(edit.accessibleName() + QLatin1Char(' ') + text);
}

void QtFormsRuntime::msgBox(const QString& prompt, int style, const QString& title)
{
    const QMessageBox::Icon icon = style == Critical      ? QMessageBox::Critical
                                   : style == Information ? QMessageBox::Information
                                                          : QMessageBox::NoIcon;
    // One box serves every message, kept hidden in between: a screen reader
    // holds on to the box it has read and asks about it later, and a box
    // that is gone leaves Qt complaining of each question on the output.
    if (!m_box) {
        m_box = new MessageBox(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Ok, &m_form);
        // Its text is not selectable, as on Windows, where Ctrl+C copies the
        // whole box: a selectable label sends screen readers text events that
        // Qt 6.8 cannot serve, and warns of each.
        m_box->setTextInteractionFlags(Qt::NoTextInteraction);
    }
    m_box->setIcon(icon);
    m_box->setWindowTitle(title);
    m_box->setText(prompt);
    m_box->setWindowState(Qt::WindowNoState);
    m_box->exec();
}

void QtFormsRuntime::end()
{
    m_form.window()->hide();
    QCoreApplication::exit(0);
}

QLineEdit& QtFormsRuntime::lineEdit(const QString& field) const
{
    auto* control = m_form.findChild<QWidget*>(field);
    if (!control)
        throw RunTimeError(RunTimeError::ObjectRequired,
                           QStringLiteral("il campo %1 non esiste").arg(field));
    auto* edit = qobject_cast<QLineEdit*>(control);
    if (!edit)
        throw RunTimeError(RunTimeError::NotSupported,
                           QStringLiteral("%1 non è un campo di testo").arg(field));
    return *edit;
}
