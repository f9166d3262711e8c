// The yardstick for start-up: a bare Qt Widgets window of the program's size
// with one label and one empty field, and nothing else.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(361, 454);
    QLabel label(QStringLiteral("Tarvelo"), &window);
    QLineEdit field(&window);
    field.move(216, 120);
    window.show();
    return QApplication::exec();
}
