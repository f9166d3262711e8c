#include "messageboxcloser.h"
#include "tarvelo.h"

#include <QClipboard>
#include <QLineEdit>
#include <QTest>

// Whatever a user pastes into the real-weight field, the window gives the
// reading described (or the overflow message), changes nothing else, and
// goes on working.
class TestHostileInput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pastedTextIsReadAsDescribed_data();
    void pastedTextIsReadAsDescribed();
};

namespace {

const QString kRealWarning = "Il valore del Peso Reale deve essere maggiore di zero";
const QString kOverflow = "Errore 6: numero troppo grande (overflow).\n\nIl calcolo non è stato "
                          "completato.";
constexpr int kMillion = 1'000'000;

} // namespace

void TestHostileInput::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

void TestHostileInput::pastedTextIsReadAsDescribed_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("boxes");

    const QString unchanged = "prima";
    QTest::newRow("a million digits")
        << QString(kMillion, '9') << unchanged << QStringList{kOverflow};
    QTest::newRow("a million digits after the point")
        << "0." + QString(kMillion, '5') << "97,7777777777778" << QStringList{};
    QTest::newRow("a million blanks, then a number") << QString(kMillion, ' ') + "85.5"
                                                     << "76,2" << QStringList{};
    QTest::newRow("a number, then a million of garbage")
        << "85.5" + QString(kMillion, QChar(0x263A)) << "76,2" << QStringList{};
    QTest::newRow("control characters first")
        << QString("\x01\x02\x1b 85.5") << "98" << QStringList{kRealWarning};
    QTest::newRow("right-to-left mark first")
        << QString::fromUtf8("\u200f85.5") << "98" << QStringList{kRealWarning};
    QTest::newRow("Arabic-Indic digits")
        << QString::fromUtf8("٨٥٫٥") << "98" << QStringList{kRealWarning};
    QTest::newRow("embedded NUL ends the number") << QString("85") + QChar(0) + "70"
                                                  << "76" << QStringList{};
    QTest::newRow("lone surrogate first") << QString(QChar(0xD800)) + "85"
                                          << "98" << QStringList{kRealWarning};
    QTest::newRow("lone surrogate after the number")
        << "85" + QString(QChar(0xDC00)) << "76" << QStringList{};
}

void TestHostileInput::pastedTextIsReadAsDescribed()
{
    QFETCH(QString, pasted);
    QFETCH(QString, result);
    QFETCH(QStringList, boxes);

    Tarvelo window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* real = window.findChild<QLineEdit*>("TxtPesoRe");
    auto* ideal = window.findChild<QLineEdit*>("TxtPesoId");
    auto* adjusted = window.findChild<QLineEdit*>("TxtTarvelo");
    ideal->setText("70");
    adjusted->setText("prima");

    QGuiApplication::clipboard()->setText(pasted);
    real->setFocus();
    real->paste();
    QCOMPARE(real->text().size(), pasted.size());

    MessageBoxCloser closer;
    QTest::mouseClick(window.findChild<QWidget*>("CmdCalcola"), Qt::LeftButton);
    QCOMPARE(adjusted->text(), result);
    QStringList shown;
    for (const auto& box : closer.boxes)
        shown << box.text;
    QCOMPARE(shown, boxes);
    QCOMPARE(real->text().size(), pasted.size());
    QCOMPARE(ideal->text(), "70");

    // The window goes on working.
    real->setText("100");
    QTest::mouseClick(window.findChild<QWidget*>("CmdCalcola"), Qt::LeftButton);
    QCOMPARE(adjusted->text(), "82");
}

QTEST_MAIN(TestHostileInput)
#include "tst_hostile.moc"
