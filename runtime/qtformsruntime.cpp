#include "qtformsruntime.h"

#include "announcer.h"
#include "closeundermodalbox.h"
#include "runtimeerror.h"
#include "waylandforcedsize.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>

QtFormsRuntime::QtFormsRuntime(QWidget& form)
    : m_form(form)
    , m_announcer(form)
{
    refuseCloseUnderModalBox(form);
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
    // What screen readers need of the boxes:
    // - Two boxes take turns, each kept hidden in between. A screen reader
    //   holds on to a box it has read and asks about it later, and Qt 6.8
    //   warns on the output of each question about a box that is gone.
    //   Orca 48 speaks a box only when it is not the window Orca is on: the
    //   same box shown again right after it was dismissed reaches it as an
    //   activation of the window it is already on, and goes unheard.
    //   With one box, e2e.*.warnings fails.
    // - Their text is not selectable, as on Windows, where Ctrl+C copies the
    //   whole box: a selectable label sends screen readers text events that
    //   Qt 6.8 cannot serve, and warns of each (e2e.*.warnings on Qt 6.8).
    QMessageBox*& box = m_boxes[m_turn];
    m_turn = 1 - m_turn;
    if (!box) {
        box = newMessageBox(&m_form);
        box->setTextInteractionFlags(Qt::NoTextInteraction);
    }
    box->setIcon(icon);
    box->setWindowTitle(title);
    box->setText(prompt);
    box->setWindowState(Qt::WindowNoState);
    box->exec();
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
