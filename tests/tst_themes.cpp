#include "tarvelo.h"

#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <cmath>

// Every caption stays readable in a light and in a dark theme, also when the
// theme changes while the window is open.
class TestThemes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void captionsReadOnTheirBackground_data();
    void captionsReadOnTheirBackground();
};

namespace {

// WCAG relative luminance and contrast ratio.
double luminance(const QColor& c)
{
    auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    p.setColor(QPalette::AlternateBase, QColor(0x42, 0x42, 0x42));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

} // namespace

void TestThemes::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create("Fusion"));
}

void TestThemes::cleanup()
{
    QApplication::setPalette(QApplication::style()->standardPalette());
}

void TestThemes::captionsReadOnTheirBackground_data()
{
    QTest::addColumn<bool>("darkAtStart");
    QTest::addColumn<bool>("switchWhileOpen");
    QTest::newRow("light") << false << false;
    QTest::newRow("dark") << true << false;
    QTest::newRow("light, then dark while open") << false << true;
    QTest::newRow("dark, then light while open") << true << true;
}

void TestThemes::captionsReadOnTheirBackground()
{
    QFETCH(bool, darkAtStart);
    QFETCH(bool, switchWhileOpen);
    const QPalette light = QApplication::style()->standardPalette();
    QApplication::setPalette(darkAtStart ? darkPalette() : light);

    Tarvelo window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (switchWhileOpen)
        QApplication::setPalette(darkAtStart ? light : darkPalette());
    const bool dark = darkAtStart != switchWhileOpen;

    // A theme change reaches the window as a posted event.
    QTRY_COMPARE(window.palette().color(QPalette::Window),
                 (dark ? darkPalette() : light).color(QPalette::Button));
    const QColor background = window.palette().color(QPalette::Window);
    int checked = 0;
    for (QWidget* caption : window.findChildren<QWidget*>()) {
        if (!caption->property("systemTextColor").isValid())
            continue;
        const QColor text = caption->palette().color(QPalette::WindowText);
        QVERIFY2(contrast(text, background) >= 3.0,
                 qPrintable(QString("%1: %2 on %3 is %4:1")
                                .arg(caption->objectName(), text.name(), background.name())
                                .arg(contrast(text, background), 0, 'f', 2)));
        ++checked;
    }
    QCOMPARE(checked, 15); // 13 labels and 2 lines
}

QTEST_MAIN(TestThemes)
#include "tst_themes.moc"
