#include "tarvelo.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Numbers are written in the user's locale as it is when the program
    // starts. Qt's Windows system locale is read again later, and under Wine
    // it then reads another locale once a screen reader has attached.
    QLocale::setDefault(QLocale(QLocale::system().name()));
    // Ties the window to its desktop entry and icon in the user's desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral(TARVELO_APP_ID));
    Tarvelo window;
    window.show();
    return QApplication::exec();
}
