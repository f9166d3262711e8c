// Draws the program's icon, once, in every form it is used in:
//  - tarvelo.ico, the window icon: 32 x 32 in two colours, 32 x 32 and
//    16 x 16 in sixteen colours;
//  - tarvelo-N.png at the sizes of the desktop's icon theme;
//  - tarvelo-app.ico, the Windows program's icon: the same sizes, each a
//    PNG image inside the icon file, as Windows reads them;
//  - tarvelo.svg, the scalable icon.
//
// The artwork: a gym weight with "kg" on it, on a transparent ground.
//
// Usage: makeicon OUTPUT_FOLDER SIZE...
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <cstdio>

namespace {

// Below this size the letters blur, and a white bar stands for them.
constexpr int kSmallestLettered = 32;

// The artwork on a 32-unit square, for a target of `size` pixels.
void paintWeight(QPainter& p, int size)
{
    p.setRenderHint(QPainter::Antialiasing);

    // The ring on top.
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(11, 2.5, 10, 9));

    // The body: a trapezoid, wider at the bottom.
    QPainterPath body;
    body.moveTo(8, 10);
    body.lineTo(24, 10);
    body.lineTo(30.5, 30.5);
    body.lineTo(1.5, 30.5);
    body.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(0x00, 0x80, 0x80));
    p.drawPath(body);

    // "kg", in white.
    p.setPen(Qt::white);
    if (size >= kSmallestLettered) {
        QFont font;
        font.setFamily("DejaVu Sans");
        font.setBold(true);
        font.setPixelSize(11);
        p.setFont(font);
        p.drawText(QRectF(4, 14, 24, 14), Qt::AlignCenter, "kg");
    } else {
        p.fillRect(QRectF(10, 19, 12, 4), Qt::white);
    }
}

QImage drawWeight(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / 32.0, size / 32.0);
    paintWeight(p, size);
    return image;
}

bool writeSvg(const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setTitle("Calcolo del Tarvelo");
    QPainter p;
    if (!p.begin(&svg))
        return false;
    paintWeight(p, kSmallestLettered);
    return p.end();
}

// The sixteen colours of the standard VGA palette.
const QList<QRgb> kVga16 = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};
const QList<QRgb> kMono = {0xff000000, 0xffffffff};

struct IconImage {
    QImage indexed; // Format_Indexed8, holding indexes into its colour table
    QImage alpha;   // the artwork, for the transparency mask
    int bitsPerPixel;
};

IconImage quantize(const QImage& art, const QList<QRgb>& colors, int bitsPerPixel)
{
    QImage opaque(art.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter(&opaque).drawImage(0, 0, art);
    return {opaque.convertToFormat(QImage::Format_Indexed8, colors, Qt::ThresholdDither), art,
            bitsPerPixel};
}

int rowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// One image in the icon file's layout: a bitmap header, the colour table,
// the colour bits and the transparency mask, rows bottom up.
QByteArray iconBitmap(const IconImage& image)
{
    const int w = image.indexed.width();
    const int h = image.indexed.height();
    const int bpp = image.bitsPerPixel;
    const QList<QRgb> colors = image.indexed.colorTable();

    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 imageBytes = (rowBytes(w, bpp) + rowBytes(w, 1)) * h;
    out << quint32(40) << qint32(w) << qint32(2 * h) << quint16(1) << quint16(bpp) << quint32(0)
        << imageBytes << qint32(0) << qint32(0) << quint32(colors.size()) << quint32(0);
    for (QRgb c : colors)
        out << quint8(qBlue(c)) << quint8(qGreen(c)) << quint8(qRed(c)) << quint8(0);

    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(rowBytes(w, bpp), '\0');
        for (int x = 0; x < w; ++x) {
            const bool transparent = qAlpha(image.alpha.pixel(x, y)) < 128;
            const int index = transparent ? 0 : image.indexed.pixelIndex(x, y);
            const int bit = x * bpp;
            row[bit / 8] = char(row[bit / 8] | (index << (8 - bpp - bit % 8)));
        }
        out.writeRawData(row.constData(), row.size());
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(rowBytes(w, 1), '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(image.alpha.pixel(x, y)) < 128)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.writeRawData(row.constData(), row.size());
    }
    return data;
}

// One image of an icon file: its size in pixels (256 is written as 0 in the
// one-byte fields), colour count (0 for full colour), depth and data.
struct IconEntry {
    int size;
    int colors;
    int bitsPerPixel;
    QByteArray data;
};

IconEntry bitmapEntry(const IconImage& image)
{
    return {image.indexed.width(), 1 << image.bitsPerPixel, image.bitsPerPixel, iconBitmap(image)};
}

// A PNG image in full colour, as Windows reads them since Vista.
IconEntry pngEntry(int size)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    drawWeight(size).save(&buffer, "PNG");
    return {size, 0, 32, png};
}

// An icon file: its directory, then each image's data.
QByteArray iconFile(const QList<IconEntry>& entries)
{
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(entries.size());
    quint32 offset = 6 + 16 * entries.size();
    for (const IconEntry& entry : entries) {
        out << quint8(entry.size % 256) << quint8(entry.size % 256) << quint8(entry.colors)
            << quint8(0) << quint16(1) << quint16(entry.bitsPerPixel) << quint32(entry.data.size())
            << offset;
        offset += entry.data.size();
    }
    for (const IconEntry& entry : entries)
        out.writeRawData(entry.data.constData(), entry.data.size());
    return file;
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(data) == data.size();
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: makeicon OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));

    const QImage large = drawWeight(32);
    bool written = writeFile(out.filePath("tarvelo.ico"),
                             iconFile({bitmapEntry(quantize(large, kMono, 1)),
                                       bitmapEntry(quantize(large, kVga16, 4)),
                                       bitmapEntry(quantize(drawWeight(16), kVga16, 4))}));
    QList<int> sizes;
    for (const QString& size : QCoreApplication::arguments().mid(2))
        sizes.append(size.toInt());
    for (int size : sizes)
        written = written &&
                  drawWeight(size).save(out.filePath(QString("tarvelo-%1.png").arg(size)));
    QList<IconEntry> pngs;
    for (int size : sizes)
        pngs.append(pngEntry(size));
    written = written && writeFile(out.filePath("tarvelo-app.ico"), iconFile(pngs));
    written = written && writeSvg(out.filePath("tarvelo.svg"));
    if (!written) {
        std::fprintf(stderr, "makeicon: cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
