#include "tarvelo.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Tarvelo window;
    window.show();
    return QApplication::exec();
}
