#include "accessiblefield.h"
#include "qtwarnings.h"
#include "tarvelo.h"

#include <QApplication>
#include <QStyle>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    silenceHarmlessQtWarnings();
    // Before the first field is built: each is announced through its own.
    AccessibleField::install();
    // Qt 6.7 and later draw Windows 11 in a style of their own, with other
    // fields, buttons and caption colours; the form keeps the look it has on
    // Windows 10, unless the user asks for a style.
    const bool styleAsked =
        !qEnvironmentVariableIsEmpty("QT_STYLE_OVERRIDE") ||
        !QCoreApplication::arguments().filter(QStringLiteral("-style")).isEmpty();
    if (!styleAsked &&
        QApplication::style()->name().compare(u"windows11", Qt::CaseInsensitive) == 0)
        QApplication::setStyle(QStringLiteral("windowsvista"));
    // Ties the window to its desktop entry and icon in the user's desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral(TARVELO_APP_ID));
    Tarvelo window;
    window.show();
    return QApplication::exec();
}
