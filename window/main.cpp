#include "accessiblefield.h"
#include "qtwarnings.h"
#include "tarvelo.h"

#include <QApplication>
#include <QLocale>
#include <QStyle>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    silenceHarmlessQtWarnings();
    // Before the first field is built: each is announced through its own.
    AccessibleField::install();
#ifdef Q_OS_WIN
    // Numbers are written in the Windows user's locale as it is when the
    // program starts: Qt asks Windows for it again at each use, and under Wine
    // 10 the answer changes once a screen reader has attached, and Calcola
    // wrote 76.2 for 76,2 (e2e_wine fails without this).
    QLocale::setDefault(QLocale(QLocale::system().name()));
#endif
    // Qt 6.7 and later draw Windows 11 in a style of their own, with other
    // fields, buttons and caption colours; the form keeps the look it has on
    // Windows 10, unless the user asks for a style.
    const bool styleAsked = !qEnvironmentVariableIsEmpty("QT_STYLE_OVERRIDE")
        || !QCoreApplication::arguments().filter(QStringLiteral("-style")).isEmpty();
    if (!styleAsked
        && QApplication::style()->name().compare(u"windows11", Qt::CaseInsensitive) == 0)
        QApplication::setStyle(QStringLiteral("windowsvista"));
    // Ties the window to its desktop entry and icon in the user's desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral(TARVELO_APP_ID));
    Tarvelo window;
    window.show();
    return QApplication::exec();
}
