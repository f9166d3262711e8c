#include "runtimeerror.h"
#include "weight.h"

#include <QProcess>
#include <QTest>

#include <bit>
#include <cmath>
#include <limits>

// The arithmetic and the number texts, without any window.
class TestWeight : public QObject {
    Q_OBJECT

private slots:
    void readsTheNumberAtTheStart_data();
    void readsTheNumberAtTheStart();
    void readingTooLargeANumberIsAnOverflow_data();
    void readingTooLargeANumberIsAnOverflow();
    void readsHugeTextInLinearTime();
    void adjustedWeightNeverLiesBelowTheIdeal_data();
    void adjustedWeightNeverLiesBelowTheIdeal();
    void computingBeyondTheDoubleRangeIsAnOverflow();
    void formatsWithLocaleSeparatorAndNoGrouping_data();
    void formatsWithLocaleSeparatorAndNoGrouping();
    void formatFollowsTheUserLocaleFromTheEnvironment_data();
    void formatFollowsTheUserLocaleFromTheEnvironment();
};

void TestWeight::readsTheNumberAtTheStart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("weight");

    QTest::newRow("integer") << "70" << 70.0;
    QTest::newRow("point fraction") << "85.5" << 85.5;
    QTest::newRow("comma ends the number") << "70,5" << 70.0;
    QTest::newRow("unit ends the number") << "80kg" << 80.0;
    QTest::newRow("blank left by clear, then a number") << " 70" << 70.0;
    QTest::newRow("tabs and blanks before the number") << "\t \t12.5" << 12.5;
    QTest::newRow("blank inside the number ends it") << "1 00" << 1.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("single blank") << " " << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("newline is not a blank") << "\n5" << 0.0;
    QTest::newRow("plus sign") << "+5" << 5.0;
    QTest::newRow("minus sign") << "-10" << -10.0;
    QTest::newRow("negative zero") << "-0" << -0.0;
    QTest::newRow("blank between sign and digits") << "- 5" << 0.0;
    QTest::newRow("two signs") << "--5" << 0.0;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("second point ends the number") << "1.2.3" << 1.2;
    QTest::newRow("exponent") << "1.5e2" << 150.0;
    QTest::newRow("capital exponent with sign") << "25E-1" << 2.5;
    QTest::newRow("e without digits ends the number") << "2e" << 2.0;
    QTest::newRow("e and sign without digits") << "2e+x" << 2.0;
    QTest::newRow("no radix prefix") << "0x10" << 0.0;
    QTest::newRow("non-ASCII digits are no digits") << QString::fromUtf8("٣٤") << 0.0;
    QTest::newRow("fullwidth digit ends the number") << QString::fromUtf8("7８") << 7.0;
    QTest::newRow("leading zeros") << "000123.4500" << 123.45;
    QTest::newRow("exact decimal rounding") << "0.1" << 0.1;
    QTest::newRow("largest double")
        << "1.7976931348623157e308" << std::numeric_limits<double>::max();
    QTest::newRow("zeros then huge exponent") << "0e999999" << 0.0;
    QTest::newRow("subnormal") << "4.9406564584124654e-324"
                               << std::numeric_limits<double>::denorm_min();
    QTest::newRow("too small reads 0") << "1e-400" << 0.0;
    QTest::newRow("exponent beyond any integer") << "1e-99999999999999999999999" << 0.0;
    QTest::newRow("400 digits after the point") << "0." + QString(399, '0') + "1" << 0.0;
    QTest::newRow("many digits rounded correctly") << "1" + QString(30, '0') + "e-30" << 1.0;
    QTest::newRow("halfway case decided past 800 digits")
        << "9007199254740993" + QString(900, '0') + "1e-901" << 9007199254740994.0;
}

void TestWeight::readsTheNumberAtTheStart()
{
    QFETCH(QString, text);
    QFETCH(double, weight);
    // Exact to the bit, sign of zero included: QCOMPARE on doubles is fuzzy.
    const double read = readWeight(text);
    QVERIFY2(std::bit_cast<quint64>(read) == std::bit_cast<quint64>(weight),
             qPrintable(QString::number(read, 'g', 17)));
}

void TestWeight::readingTooLargeANumberIsAnOverflow_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("1e400") << "1e400";
    QTest::newRow("negative") << "-1e400";
    QTest::newRow("just past the largest double") << "1.7976931348623159e308";
    QTest::newRow("400 digits") << QString(400, '9');
    QTest::newRow("exponent beyond any integer") << "1e99999999999999999999999";
    // The largest double written with 15 digits lies beyond the range.
    QTest::newRow("largest double as written") << "1.79769313486232e+308";
}

void TestWeight::readingTooLargeANumberIsAnOverflow()
{
    QFETCH(QString, text);
    try {
        readWeight(text);
        QFAIL("no error raised");
    } catch (const RunTimeError& error) {
        QCOMPARE(error.number(), int(RunTimeError::Overflow));
    }
}

void TestWeight::readsHugeTextInLinearTime()
{
    // A pasted million digits past the point, and a million blanks: read in
    // one pass, whatever the length.
    QCOMPARE(readWeight("0." + QString(1'000'000, '3')), 1.0 / 3);
    QCOMPARE(readWeight(QString(1'000'000, ' ') + "42"), 42.0);
}

void TestWeight::adjustedWeightNeverLiesBelowTheIdeal_data()
{
    QTest::addColumn<double>("real");
    QTest::addColumn<double>("ideal");
    QTest::addColumn<QString>("written");

    QTest::newRow("real above ideal") << 100.0 << 70.0 << "82";
    QTest::newRow("real below ideal") << 50.0 << 70.0 << "78";
    QTest::newRow("equal weights") << 70.0 << 70.0 << "70";
    QTest::newRow("fraction") << 85.5 << 70.0 << "76,2";
    QTest::newRow("both fractions") << 120.3 << 65.7 << "87,54";
    QTest::newRow("real empty") << 0.0 << 70.0 << "98";
    QTest::newRow("ideal empty") << 80.0 << 0.0 << "32";
    QTest::newRow("negative real") << -10.0 << 60.0 << "88";
    QTest::newRow("long run of nines") << 64.9 << 70.0 << "72,04";
}

void TestWeight::adjustedWeightNeverLiesBelowTheIdeal()
{
    QFETCH(double, real);
    QFETCH(double, ideal);
    QFETCH(QString, written);
    const double adjusted = computeAdjusted(real, ideal);
    QVERIFY(adjusted >= ideal);
    QCOMPARE(formatWeight(adjusted, QLocale(QLocale::Italian, QLocale::Italy)), written);
}

void TestWeight::computingBeyondTheDoubleRangeIsAnOverflow()
{
    const double max = std::numeric_limits<double>::max();
    for (auto [real, ideal] : {std::pair{1e308, -1e308}, {-1e308, 1e308}, {max, -max}}) {
        try {
            computeAdjusted(real, ideal);
            QFAIL(qPrintable(QStringLiteral("no error for %1, %2").arg(real).arg(ideal)));
        } catch (const RunTimeError& error) {
            QCOMPARE(error.number(), int(RunTimeError::Overflow));
        }
    }
    // Close to the limit but inside it is no error.
    QCOMPARE(computeAdjusted(max, max), max);
}

void TestWeight::formatsWithLocaleSeparatorAndNoGrouping_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("weight");
    QTest::addColumn<QString>("written");

    for (const char* name : {"it_IT", "C"}) {
        const bool italian = QByteArray(name) == "it_IT";
        auto sep = [italian](QString text) { return italian ? text.replace('.', ',') : text; };
        auto row = [&](const char* what) -> QTestData& {
            return QTest::addRow("%s %s", name, what);
        };
        row("fraction") << name << 76.2 << sep("76.2");
        row("no grouping") << name << 2500.0 << "2500";
        row("no grouping of millions") << name << 1234567.5 << sep("1234567.5");
        row("15 significant digits") << name << 72.03999999999999 << sep("72.04");
        row("binary fraction noise") << name << 0.1 + 0.2 << sep("0.3");
        row("negative") << name << -5.5 << sep("-5.5");
        row("negative zero") << name << -0.0 << "0";
        row("15 digits without exponent") << name << 123456789012345.0 << "123456789012345";
        row("small without exponent") << name << 0.0001 << sep("0.0001");
    }
    QTest::newRow("it_IT large uses exponent") << "it_IT" << 1e15 << "1E+15";
    QTest::newRow("C large uses exponent") << "C" << 1e15 << "1e+15";
    // Exact ties at the 15th digit round away from zero, as the toolkit does.
    QTest::newRow("C halfway tie") << "C" << 100000000000000.5 << "100000000000001";
    QTest::newRow("C halfway tie with exponent")
        << "C" << 4645841646458465.0 << "4.64584164645847e+15";
    QTest::newRow("C largest double")
        << "C" << std::numeric_limits<double>::max() << "1.79769313486232e+308";
    QTest::newRow("it_IT smallest subnormal")
        << "it_IT" << std::numeric_limits<double>::denorm_min() << "4,94065645841247E-324";
}

void TestWeight::formatsWithLocaleSeparatorAndNoGrouping()
{
    QFETCH(QString, locale);
    QFETCH(double, weight);
    QFETCH(QString, written);
    QCOMPARE(formatWeight(weight, QLocale(locale)), written);
}

void TestWeight::formatFollowsTheUserLocaleFromTheEnvironment_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("written");

    QTest::newRow("LANG Italian") << QStringList{"LANG=it_IT.UTF-8"} << "76,2";
    QTest::newRow("LC_NUMERIC over LANG")
        << QStringList{"LANG=C.UTF-8", "LC_NUMERIC=it_IT.UTF-8"} << "76,2";
    QTest::newRow("LC_ALL over both")
        << QStringList{"LANG=it_IT.UTF-8", "LC_NUMERIC=it_IT.UTF-8", "LC_ALL=C"} << "76.2";
    QTest::newRow("English") << QStringList{"LANG=en_US.UTF-8"} << "76.2";
}

void TestWeight::formatFollowsTheUserLocaleFromTheEnvironment()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, written);

    // The user's locale is read once per process, so each case runs a
    // process of its own that prints formatWeight(readWeight(argument)).
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANG", "LC_ALL", "LC_NUMERIC", "LANGUAGE"})
        env.remove(name);
    for (const QString& setting : environment)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(FORMAT_PROBE), {"85.5", "70"});
    QVERIFY(probe.waitForFinished());
    QCOMPARE(probe.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(probe.readAllStandardOutput()).trimmed(), written);
}

QTEST_GUILESS_MAIN(TestWeight)
#include "tst_weight.moc"
