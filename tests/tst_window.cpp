#include "messageboxcloser.h"
#include "tarvelo.h"

#include <QFontInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QTest>

#include <climits>

// The main window against its description, offscreen.
class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void controlMatchesTheDescription_data();
    void controlMatchesTheDescription();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();
    void windowHasFixedSizeCaptionAndIcon();
    void tabOrderRunsRoundFromTheRealWeight();
    void enterAndEscapeInAFieldRunNothing();
    void fieldsTakeTextOfAnyLength();
    void clickingCalcolaComputesThenWarns();
    void clickingCancellaLeavesOneBlankInEachField();
    void endingTheProgramAsksNothing_data();
    void endingTheProgramAsksNothing();

private:
    template <typename T = QWidget> T* control(const QString& name)
    {
        T* found = m_window->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    void type(const char* field, const QString& text);

    std::unique_ptr<Tarvelo> m_window;
};

namespace {

enum Kind { Label, Field, Button };
constexpr int Desktop = 1, Highlight = 13, DefaultColor = 0;

// The stand-ins the window may resolve a family to when the machine lacks it.
const QMap<QString, QString> kStandIns = {
    {"MS Sans Serif", "Liberation Sans"}, {"Garamond", "EB Garamond"}, {"Verdana", "DejaVu Sans"}};

} // namespace

void TestWindow::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

void TestWindow::init()
{
    m_window = std::make_unique<Tarvelo>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestWindow::cleanup()
{
    m_window.reset();
}

void TestWindow::type(const char* field, const QString& text)
{
    QTest::mouseClick(control(field), Qt::LeftButton);
    QTest::keyClicks(control(field), text);
}

void TestWindow::controlMatchesTheDescription_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<int>("textColor");

    const QString ms = "MS Sans Serif", garamond = "Garamond", verdana = "Verdana";
    auto row = [](const char* name, Kind kind, const char* caption, QRect twips,
                  const QString& family, double points, bool bold, bool italic, bool centred,
                  int color) {
        QTest::newRow(name) << int(kind) << QString(caption) << twips << family << points << bold
                            << italic << centred << color;
    };
    // clang-format off
    row("LBLIntestazione", Label, "CALCOLO DEL", {360, 240, 4695, 300}, garamond, 14.25, true, false, true, Highlight);
    row("LBLIntestazione2", Label, "TARVELO", {360, 720, 4695, 300}, garamond, 14.25, true, false, true, Highlight);
    row("Label4", Label, "(Utilizzare il punto come separatore dei decimali)", {960, 1320, 3615, 255}, ms, 8.25, false, false, false, Highlight);
    row("LBLPesoReale", Label, "PESO REALE  in Kg", {1200, 1800, 1815, 255}, ms, 9.75, false, false, false, Desktop);
    row("TxtPesoRe", Field, "", {3240, 1800, 855, 255}, ms, 8.25, false, false, true, DefaultColor);
    row("LBLPesoIdeale", Label, "PESO IDEALE in Kg  ", {1200, 2280, 1815, 255}, ms, 9.75, false, false, false, Desktop);
    row("TxtPesoId", Field, "", {3240, 2280, 855, 255}, ms, 8.25, false, false, true, DefaultColor);
    row("LBLFormula", Label, "Formula Utilizzata:", {1800, 2760, 2175, 255}, ms, 9.75, true, false, false, Highlight);
    row("Label3", Label, "Peso Ideale  - [ (  Peso Reale  -  Peso Ideale )  x  0,4 ]", {240, 3120, 5175, 255}, ms, 9.75, false, false, false, Desktop);
    row("Label5", Label, "Se il peso Reale < Peso Ideale", {1200, 3480, 3015, 255}, ms, 9.75, false, false, false, Desktop);
    row("Label6", Label, "Peso Ideale  + [ (  Peso Reale  -  Peso Ideale )  x  0,4 ]", {240, 4080, 5175, 255}, ms, 9.75, false, false, false, Desktop);
    row("Label7", Label, "Se il peso Reale > Peso ideale", {1200, 4440, 3255, 255}, ms, 9.75, false, false, false, Desktop);
    row("CmdCalcola", Button, "Calcola", {2160, 4920, 1215, 375}, ms, 9.75, false, false, true, DefaultColor);
    row("LBLFattore", Label, "Tarvelo Kg", {1440, 5520, 1935, 375}, garamond, 12, false, true, false, Desktop);
    row("TxtTarvelo", Field, "", {3240, 5520, 855, 255}, ms, 8.25, false, false, true, DefaultColor);
    row("CmdCancella", Button, "Cancella", {360, 6120, 1215, 375}, ms, 9.75, false, false, true, DefaultColor);
    row("Label2", Label, "Versione 1.0", {2040, 6120, 1395, 345}, verdana, 9.75, true, false, false, Highlight);
    row("CmdUscita", Button, "Uscita", {3840, 6120, 1215, 375}, ms, 9.75, false, false, true, DefaultColor);
    row("Label1", Label, "By Quentaro", {1680, 6480, 2115, 345}, verdana, 9.75, false, true, false, Highlight);
    // clang-format on
}

void TestWindow::controlMatchesTheDescription()
{
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, centred);
    QFETCH(int, textColor);

    QWidget* widget = control(QTest::currentDataTag());
    const QRect geometry = widget->geometry();
    QCOMPARE(
        QRect(geometry.x() * 15, geometry.y() * 15, geometry.width() * 15, geometry.height() * 15),
        twips);

    const QFont font = widget->font();
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.italic(), italic);
    QVERIFY2(QStringList({family, kStandIns[family]}).contains(QFontInfo(font).family()),
             qPrintable(QFontInfo(font).family()));

    switch (kind) {
    case Label: {
        auto* label = qobject_cast<QLabel*>(widget);
        QVERIFY(label);
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask,
                 centred ? Qt::AlignHCenter : Qt::AlignLeft);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        const QColor expected = textColor == Desktop
                                    ? QColor(0x00, 0x80, 0x80)
                                    : QApplication::palette().color(QPalette::Highlight);
        QCOMPARE(label->palette().color(QPalette::WindowText), expected);
        break;
    }
    case Field: {
        auto* field = qobject_cast<QLineEdit*>(widget);
        QVERIFY(field);
        QCOMPARE(field->text(), caption);
        QCOMPARE(field->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(!field->isReadOnly());
        QCOMPARE(field->maxLength(), INT_MAX);
        QCOMPARE(field->palette().color(QPalette::Text),
                 QApplication::palette().color(QPalette::Text));
        break;
    }
    case Button: {
        auto* button = qobject_cast<QPushButton*>(widget);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
        break;
    }
    }
}

void TestWindow::captionsFitTheirControls_data()
{
    QTest::addColumn<QString>("name");
    const Tarvelo window; // data functions run before init()
    for (QLabel* label : window.findChildren<QLabel*>())
        QTest::newRow(qPrintable(label->objectName())) << label->objectName();
}

void TestWindow::captionsFitTheirControls()
{
    // With the stand-in fonts every visible character stays inside its
    // control; trailing blanks may fall outside, as they show nothing.
    QFETCH(QString, name);
    auto* label = control<QLabel>(name);
    const QFontMetrics metrics(label->font());
    const QString visible = label->text().remove(QRegularExpression("\\s+$"));
    QVERIFY2(
        metrics.horizontalAdvance(visible) <= label->width(),
        qPrintable(QString("%1 > %2").arg(metrics.horizontalAdvance(visible)).arg(label->width())));
    QVERIFY(metrics.height() <= label->height());
}

void TestWindow::windowHasFixedSizeCaptionAndIcon()
{
    QCOMPARE(m_window->windowTitle(), "Calcolo del Tarvelo");
    QCOMPARE(m_window->size(), QSize(361, 454));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    // Label1 reaches one pixel past the bottom edge, as designed.
    QCOMPARE(control("Label1")->geometry().bottom() + 1, 455);

    for (const char* line : {"Line1", "Line4"}) {
        auto* frame = control<QFrame>(line);
        QCOMPARE(frame->frameShape(), QFrame::HLine);
        QCOMPARE(frame->palette().color(QPalette::WindowText), QColor(0x00, 0x80, 0x80));
    }

    const QList<QSize> sizes = m_window->windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(32, 32)));

    // The icon file holds 32 x 32 in two colours, 32 x 32 and 16 x 16 in sixteen.
    QImageReader reader(":/tarvelo.ico");
    QCOMPARE(reader.imageCount(), 3);
    const QList<std::pair<int, int>> expected{{32, 2}, {32, 16}, {16, 16}};
    for (auto [side, colours] : expected) {
        const QImage image = reader.read();
        QCOMPARE(image.size(), QSize(side, side));
        QSet<QRgb> used;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if (qAlpha(image.pixel(x, y)) == 255)
                    used.insert(image.pixel(x, y));
        QVERIFY(used.size() >= 2 && used.size() <= colours);
        reader.jumpToNextImage();
    }
}

void TestWindow::tabOrderRunsRoundFromTheRealWeight()
{
    QCOMPARE(QApplication::focusWidget(), control("TxtPesoRe"));
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    const QStringList expected{"CmdUscita", "CmdCalcola", "CmdCancella",
                               "TxtPesoId", "TxtTarvelo", "TxtPesoRe"};
    QCOMPARE(visited, expected);
}

void TestWindow::enterAndEscapeInAFieldRunNothing()
{
    MessageBoxCloser closer;
    type("TxtPesoRe", "100");
    type("TxtPesoId", "70");
    for (const char* field : {"TxtPesoRe", "TxtPesoId", "TxtTarvelo"}) {
        QTest::keyClick(control(field), Qt::Key_Return);
        QTest::keyClick(control(field), Qt::Key_Enter);
        QTest::keyClick(control(field), Qt::Key_Escape);
    }
    QCOMPARE(control<QLineEdit>("TxtTarvelo")->text(), "");
    QVERIFY(closer.boxes.isEmpty());
    QVERIFY(m_window->isVisible());
}

void TestWindow::fieldsTakeTextOfAnyLength()
{
    const QString pasted = "70" + QString(100'000, '0');
    control<QLineEdit>("TxtPesoRe")->setText(pasted);
    QCOMPARE(control<QLineEdit>("TxtPesoRe")->text().size(), pasted.size());
}

void TestWindow::clickingCalcolaComputesThenWarns()
{
    MessageBoxCloser closer;
    type("TxtPesoRe", "85.5");
    type("TxtPesoId", "70");
    QTest::mouseClick(control("CmdCalcola"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>("TxtTarvelo")->text(), "76,2");
    QVERIFY(closer.boxes.isEmpty());
    QCOMPARE(m_window->calculator().numbers().PesoCalcolato, 76.2);

    control<QLineEdit>("TxtPesoRe")->clear();
    control<QLineEdit>("TxtPesoId")->clear();
    QTest::mouseClick(control("CmdCalcola"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>("TxtTarvelo")->text(), "0");
    QCOMPARE(closer.boxes.size(), 2);
    QCOMPARE(closer.boxes[0].text, "Il valore del Peso Reale deve essere maggiore di zero");
    QCOMPARE(closer.boxes[1].text, "Il valore del Peso Ideale deve essere maggiore di zero");
    for (const auto& box : closer.boxes) {
        QCOMPARE(box.title, "Attenzione !!!");
        QCOMPARE(box.icon, QMessageBox::Information);
    }
}

void TestWindow::clickingCancellaLeavesOneBlankInEachField()
{
    type("TxtPesoRe", "100");
    type("TxtPesoId", "70");
    QTest::mouseClick(control("CmdCalcola"), Qt::LeftButton);
    QTest::mouseClick(control("CmdCancella"), Qt::LeftButton);
    for (const char* field : {"TxtPesoRe", "TxtPesoId", "TxtTarvelo"})
        QCOMPARE(control<QLineEdit>(field)->text(), " ");
    QCOMPARE(m_window->calculator().numbers().PesoCalcolato, 82.0);
}

void TestWindow::endingTheProgramAsksNothing_data()
{
    QTest::addColumn<bool>("fromFrame");
    QTest::newRow("Uscita") << false;
    QTest::newRow("close from the frame") << true;
}

void TestWindow::endingTheProgramAsksNothing()
{
    QFETCH(bool, fromFrame);
    type("TxtPesoRe", "unsaved");
    bool asked = false;
    QTimer::singleShot(0, [&] {
        if (fromFrame)
            m_window->close();
        else
            QTest::mouseClick(control("CmdUscita"), Qt::LeftButton);
        asked = QApplication::activeModalWidget() != nullptr;
    });
    // Should the program not end, this ends the loop with another status.
    QTimer::singleShot(10'000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!asked);
    QVERIFY(!m_window->isVisible());
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
