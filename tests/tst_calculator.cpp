#include "calculator.h"
#include "fakeformsruntime.h"

#include <QTest>

// The three commands against a recording fake of the forms runtime.
class TestCalculator : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void computeWritesResultThenWarns_data();
    void computeWritesResultThenWarns();
    void computeStepsRunInOrder();
    void overflowStopsComputeAtTheFailingStep_data();
    void overflowStopsComputeAtTheFailingStep();
    void failingFieldAccessKeepsEarlierStepsAndGoesOn();
    void clearLeavesOneBlankInEachField();
    void clearThenComputeWarnsTwice();
    void exitEndsTheProgramAndDoesNothingElse();
};

namespace {

const QString kRealWarning =
    "box 64 [Attenzione !!!] Il valore del Peso Reale deve essere maggiore di zero";
const QString kIdealWarning =
    "box 64 [Attenzione !!!] Il valore del Peso Ideale deve essere maggiore di zero";

QStringList boxes(const QStringList& calls)
{
    return calls.filter(QRegularExpression("^box "));
}

} // namespace

void TestCalculator::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

void TestCalculator::computeWritesResultThenWarns_data()
{
    QTest::addColumn<QString>("real");
    QTest::addColumn<QString>("ideal");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("warnings");

    QTest::newRow("real above ideal") << "100"
                                      << "70"
                                      << "82" << QStringList{};
    QTest::newRow("real below ideal") << "50"
                                      << "70"
                                      << "78" << QStringList{};
    QTest::newRow("fraction in Italian") << "85.5"
                                         << "70"
                                         << "76,2" << QStringList{};
    QTest::newRow("both empty") << ""
                                << ""
                                << "0" << QStringList{kRealWarning, kIdealWarning};
    QTest::newRow("ideal empty") << "80"
                                 << ""
                                 << "32" << QStringList{kIdealWarning};
    QTest::newRow("negative real") << "-10"
                                   << "60"
                                   << "88" << QStringList{kRealWarning};
    QTest::newRow("tiny real passes") << "0.0001"
                                      << "60"
                                      << "83,99996" << QStringList{};
    QTest::newRow("zero ideal") << "70"
                                << "0"
                                << "28" << QStringList{kIdealWarning};
    QTest::newRow("letters read 0") << "abc"
                                    << "70"
                                    << "98" << QStringList{kRealWarning};
}

void TestCalculator::computeWritesResultThenWarns()
{
    QFETCH(QString, real);
    QFETCH(QString, ideal);
    QFETCH(QString, result);
    QFETCH(QStringList, warnings);

    FakeFormsRuntime forms;
    forms.fields["TxtPesoRe"] = real;
    forms.fields["TxtPesoId"] = ideal;
    Calculator calculator(forms);
    forms.run([&] { calculator.compute(); });

    QCOMPARE(forms.fields["TxtTarvelo"], result);
    QCOMPARE(boxes(forms.calls), warnings);
    // The inputs are read, never written.
    QCOMPARE(forms.fields["TxtPesoRe"], real);
    QCOMPARE(forms.fields["TxtPesoId"], ideal);
}

void TestCalculator::computeStepsRunInOrder()
{
    FakeFormsRuntime forms;
    forms.fields["TxtPesoRe"] = "-1";
    forms.fields["TxtPesoId"] = "0";
    Calculator calculator(forms);
    forms.run([&] { calculator.compute(); });

    const QStringList expected{"read TxtPesoRe", "read TxtPesoId", "write TxtTarvelo '0,4'",
                               kRealWarning, kIdealWarning};
    QCOMPARE(forms.calls, expected);
    QCOMPARE(calculator.numbers().PesoReale, -1.0);
    QCOMPARE(calculator.numbers().PesoIdeale, 0.0);
    QCOMPARE(calculator.numbers().PesoCalcolato, 0.4);
}

void TestCalculator::overflowStopsComputeAtTheFailingStep_data()
{
    QTest::addColumn<QString>("real");
    QTest::addColumn<QString>("ideal");
    QTest::addColumn<QStringList>("reads");
    QTest::addColumn<double>("pesoReale");
    QTest::addColumn<double>("pesoIdeale");

    const QStringList both{"read TxtPesoRe", "read TxtPesoId"};
    QTest::newRow("reading the real weight") << "1e400"
                                             << "70" << QStringList{"read TxtPesoRe"} << 5.0 << 5.0;
    QTest::newRow("reading the ideal weight") << "80"
                                              << "-1e400" << both << 80.0 << 5.0;
    QTest::newRow("computing") << "1e308"
                               << "-1e308" << both << 1e308 << -1e308;
}

void TestCalculator::overflowStopsComputeAtTheFailingStep()
{
    QFETCH(QString, real);
    QFETCH(QString, ideal);
    QFETCH(QStringList, reads);
    QFETCH(double, pesoReale);
    QFETCH(double, pesoIdeale);

    // A first compute leaves 5 in every number and the result field.
    FakeFormsRuntime forms;
    Calculator calculator(forms);
    forms.fields["TxtPesoRe"] = forms.fields["TxtPesoId"] = "5";
    forms.run([&] { calculator.compute(); });
    forms.calls.clear();

    forms.fields["TxtPesoRe"] = real;
    forms.fields["TxtPesoId"] = ideal;
    forms.run([&] { calculator.compute(); });

    QCOMPARE(forms.calls,
             reads +
                 QStringList{
                     "box 16 [Calcolo del Tarvelo] Errore 6: numero troppo grande (overflow).\n\n"
                     "Il calcolo non è stato completato."});
    QCOMPARE(forms.fields["TxtTarvelo"], "5");
    QCOMPARE(calculator.numbers().PesoReale, pesoReale);
    QCOMPARE(calculator.numbers().PesoIdeale, pesoIdeale);
    QCOMPARE(calculator.numbers().PesoCalcolato, 5.0);
}

void TestCalculator::failingFieldAccessKeepsEarlierStepsAndGoesOn()
{
    FakeFormsRuntime forms;
    forms.fields["TxtPesoRe"] = "100";
    forms.fields["TxtPesoId"] = "-70";
    forms.broken.insert("TxtTarvelo");
    Calculator calculator(forms);
    forms.run([&] { calculator.compute(); });

    // Stopped at the write: the numbers are updated, no warning follows, the
    // error is shown and nothing ends the program.
    QCOMPARE(forms.calls.size(), 4);
    QCOMPARE(forms.calls[2], "write TxtTarvelo '-2'");
    QVERIFY(forms.calls[3].startsWith("box 16 [Calcolo del Tarvelo] Errore 424: "));
    QCOMPARE(calculator.numbers().PesoReale, 100.0);
    QCOMPARE(calculator.numbers().PesoIdeale, -70.0);
    QCOMPARE(calculator.numbers().PesoCalcolato, -2.0);

    // The program goes on: once the field works, the next compute completes.
    forms.broken.clear();
    forms.calls.clear();
    forms.run([&] { calculator.compute(); });
    QCOMPARE(forms.fields["TxtTarvelo"], "-2");
    QCOMPARE(boxes(forms.calls), QStringList{kIdealWarning});
}

void TestCalculator::clearLeavesOneBlankInEachField()
{
    FakeFormsRuntime forms;
    forms.fields["TxtPesoRe"] = "100";
    forms.fields["TxtPesoId"] = "70";
    Calculator calculator(forms);
    forms.run([&] { calculator.compute(); });
    forms.calls.clear();

    forms.run([&] { calculator.clear(); });

    const QStringList expected{"write TxtPesoRe ' '", "write TxtPesoId ' '",
                               "write TxtTarvelo ' '"};
    QCOMPARE(forms.calls, expected);
    QCOMPARE(calculator.numbers().PesoReale, 100.0);
    QCOMPARE(calculator.numbers().PesoIdeale, 70.0);
    QCOMPARE(calculator.numbers().PesoCalcolato, 82.0);
}

void TestCalculator::clearThenComputeWarnsTwice()
{
    FakeFormsRuntime forms;
    Calculator calculator(forms);
    forms.run([&] { calculator.clear(); });
    forms.run([&] { calculator.compute(); });
    QCOMPARE(forms.fields["TxtTarvelo"], "0");
    QCOMPARE(boxes(forms.calls), (QStringList{kRealWarning, kIdealWarning}));
}

void TestCalculator::exitEndsTheProgramAndDoesNothingElse()
{
    FakeFormsRuntime forms;
    forms.fields["TxtPesoRe"] = "unsaved";
    Calculator calculator(forms);
    forms.run([&] { calculator.exit(); });
    QCOMPARE(forms.calls, QStringList{"end"});
}

QTEST_GUILESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
