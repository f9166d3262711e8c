// Decodes each image file named and prints its size, "WIDTHxHEIGHT PATH";
// an SVG prints its default size once it has parsed. Exits 1 if any fails.
#include <QGuiApplication>
#include <QImage>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    int failures = 0;
    for (const QString& path : QCoreApplication::arguments().mid(1)) {
        QSize size;
        if (path.endsWith(".svg")) {
            QSvgRenderer svg(path);
            if (svg.isValid())
                size = svg.defaultSize();
        } else {
            const QImage image(path);
            if (!image.isNull())
                size = image.size();
        }
        if (size.isEmpty()) {
            std::printf("undecodable %s\n", qPrintable(path));
            ++failures;
        } else {
            std::printf("%dx%d %s\n", size.width(), size.height(), qPrintable(path));
        }
    }
    return failures ? 1 : 0;
}
