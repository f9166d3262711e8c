#include "tarvelo.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Ties the window to its desktop entry and icon in the user's desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral(TARVELO_APP_ID));
    Tarvelo window;
    window.show();
    return QApplication::exec();
}
