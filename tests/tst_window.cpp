#include "systemcolors.h"
#include "tarvelo.h"

#include <QLineEdit>
#include <QTest>

// The window offscreen, at twice the pixel density of a classic screen
// (QT_SCALE_FACTOR=2, set where the test is registered).
class TestWindow : public QObject {
    Q_OBJECT
    Tarvelo m_window;

private slots:
    void initTestCase()
    {
        QApplication::setStyle("Fusion");
        m_window.show();
        QVERIFY(QTest::qWaitForWindowActive(&m_window));
    }

    void fieldsTakeTextOfAnyLength()
    {
        const QString pasted(100'000, '7');
        for (QLineEdit* field : m_window.findChildren<QLineEdit*>()) {
            field->setText(pasted);
            QCOMPARE(field->text(), pasted);
        }
    }

    void captionsStayReadableWhenTheDesktopTurnsDark()
    {
        QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
        QApplication::setPalette(dark);
        QTRY_COMPARE(m_window.palette().color(QPalette::Window), dark.color(QPalette::Button));
        int captions = 0;
        for (QWidget* caption : m_window.findChildren<QWidget*>()) {
            if (!caption->property("systemTextColor").isValid())
                continue;
            const QColor text = caption->palette().color(QPalette::WindowText);
            QVERIFY2(contrastRatio(text, dark.color(QPalette::Button)) >= 3.0,
                     qPrintable(caption->objectName() + " " + text.name()));
            ++captions;
        }
        QCOMPARE(captions, 15);
    }

    void iconIsSharpAtTwiceTheDensity()
    {
        // Drawn from the 64-pixel image, not from the 32-pixel one scaled up.
        QTRY_VERIFY(m_window.windowIcon().availableSizes().contains(QSize(64, 64)));
        QImage shown = m_window.windowIcon().pixmap(QSize(32, 32), 2.0).toImage();
        shown.setDevicePixelRatio(1.0);
        QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32),
                 QImage(":/tarvelo-64.png").convertToFormat(QImage::Format_ARGB32));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
