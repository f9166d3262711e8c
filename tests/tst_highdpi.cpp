#include "tarvelo.h"

#include <QFontMetricsF>
#include <QTest>
#include <QWindow>

// The window at twice the pixel density: every size doubles, nothing more
// is cut off, and the icon is drawn from images of the right size.
class TestHighDpi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void windowDoublesInDevicePixels();
    void captionsStillFit();
    void iconIsSharpAtTwiceTheSize();

private:
    std::unique_ptr<Tarvelo> m_window;
};

void TestHighDpi::initTestCase()
{
    QCOMPARE(qgetenv("QT_SCALE_FACTOR"), "2");
    m_window = std::make_unique<Tarvelo>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestHighDpi::windowDoublesInDevicePixels()
{
    QCOMPARE(m_window->windowHandle()->devicePixelRatio(), 2.0);
    const QPixmap picture = m_window->grab();
    QCOMPARE(picture.size(), QSize(722, 908));
}

void TestHighDpi::captionsStillFit()
{
    QImage device(722, 908, QImage::Format_ARGB32);
    device.setDevicePixelRatio(2.0);
    for (QLabel* label : m_window->findChildren<QLabel*>()) {
        const QFontMetricsF metrics(label->font(), &device);
        const QString visible = label->text().remove(QRegularExpression("\\s+$"));
        QVERIFY2(metrics.horizontalAdvance(visible) <= label->width(),
                 qPrintable(label->objectName()));
        QVERIFY2(metrics.height() <= label->height(), qPrintable(label->objectName()));
    }
}

void TestHighDpi::iconIsSharpAtTwiceTheSize()
{
    // A 32-pixel icon at factor 2 comes from the 64-pixel image, not from
    // the 32-pixel one scaled up. The larger images arrive once the window
    // is up.
    QTRY_VERIFY(m_window->windowIcon().availableSizes().contains(QSize(64, 64)));
    const QPixmap icon = m_window->windowIcon().pixmap(QSize(32, 32), 2.0);
    QCOMPARE(icon.size(), QSize(64, 64));
    QImage shown = icon.toImage().convertToFormat(QImage::Format_ARGB32);
    shown.setDevicePixelRatio(1.0);
    QCOMPARE(shown, QImage(":/tarvelo-64.png").convertToFormat(QImage::Format_ARGB32));
}

int main(int argc, char* argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdpi.moc"
