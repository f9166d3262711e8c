// Saves a picture of an X window: xgrab WINDOW_ID OUTPUT.png
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: xgrab WINDOW_ID OUTPUT.png\n");
        return 2;
    }
    const WId window = QString::fromLocal8Bit(argv[1]).toULongLong();
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(window);
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "xgrab: cannot save window %s to %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
