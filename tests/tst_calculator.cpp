#include "calculator.h"
#include "formsruntime.h"

#include <QTest>

// Records what the commands do to the window, in order: every write into a
// field, every message box and the end of the program.
class RecordingForms : public FormsRuntime {
public:
    QMap<QString, QString> fields;
    QStringList calls;

    QString fieldText(const QString& field) override { return fields.value(field); }
    void setFieldText(const QString& field, const QString& text) override
    {
        calls << field + " = '" + text + "'";
        fields[field] = text;
    }
    void msgBox(const QString& prompt, int style, const QString& title) override
    {
        calls << QStringLiteral("box %1 [%2] %3").arg(style).arg(title, prompt);
    }
    void end() override { calls << "end"; }
};

namespace {

const QString kWarning =
    "box 64 [Attenzione !!!] Il valore del Peso %1 deve essere maggiore di zero";
const QString kReal = kWarning.arg("Reale"), kIdeal = kWarning.arg("Ideale");
const QString kOverflow = "box 16 [Calcolo del Tarvelo] Errore 6: numero troppo grande "
                          "(overflow).\n\nIl calcolo non è stato completato.";

QStringList wrote(const QString& result, const QStringList& warnings = {})
{
    return QStringList{"TxtTarvelo = '" + result + "'"} + warnings;
}

} // namespace

// Reading, computing and writing weights, through the three commands.
class TestCalculator : public QObject {
    Q_OBJECT

private slots:
    void commandsChangeTheWindowAsAUserSeesIt_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("real");
        QTest::addColumn<QString>("ideal");
        QTest::addColumn<QStringList>("calls");
        // clang-format off
        QTest::newRow("real above ideal") << "it_IT" << "compute" << "100" << "70" << wrote("82");
        QTest::newRow("real below ideal still lands above it") << "it_IT" << "compute" << "50" << "70" << wrote("78");
        QTest::newRow("point in the result") << "C" << "compute" << "85.5" << "70" << wrote("76.2");
        QTest::newRow("15 digits, no run of nines") << "it_IT" << "compute" << "64.9" << "70" << wrote("72,04");
        QTest::newRow("no grouping in Italian") << "it_IT" << "compute" << "3000" << "1000" << wrote("1800");
        QTest::newRow("blanks and tabs before the number") << "it_IT" << "compute" << " \t 85.5" << "\t70" << wrote("76,2");
        QTest::newRow("comma ends the number") << "it_IT" << "compute" << "70,5" << "70" << wrote("70");
        QTest::newRow("exponent") << "it_IT" << "compute" << "1.5e2" << "1E+2" << wrote("120");
        QTest::newRow("e without digits ends the number") << "it_IT" << "compute" << "2e" << "100kg" << wrote("139,2");
        QTest::newRow("a million digits after the point") << "it_IT" << "compute" << "0." + QString(1'000'000, '5') << "70" << wrote("97,7777777777778");
        QTest::newRow("both empty warn in order") << "it_IT" << "compute" << "" << "" << wrote("0", {kReal, kIdeal});
        QTest::newRow("letters read 0") << "it_IT" << "compute" << "abc" << "70" << wrote("98", {kReal});
        QTest::newRow("negative real and zero ideal") << "it_IT" << "compute" << "-10" << "0" << wrote("4", {kReal, kIdeal});
        QTest::newRow("tiny weight is above zero") << "it_IT" << "compute" << "0.0001" << "60" << wrote("83,99996");
        QTest::newRow("overflow reading") << "it_IT" << "compute" << "70" << "-1e400" << QStringList{kOverflow};
        QTest::newRow("overflow reading a million digits") << "it_IT" << "compute" << QString(1'000'000, '9') << "70" << QStringList{kOverflow};
        QTest::newRow("overflow computing") << "it_IT" << "compute" << "1e308" << "-1e308" << QStringList{kOverflow};
        QTest::newRow("clear leaves one blank in each field") << "it_IT" << "clear" << "100" << "70" << QStringList{"TxtPesoRe = ' '", "TxtPesoId = ' '", "TxtTarvelo = ' '"};
        QTest::newRow("exit ends the program and nothing else") << "it_IT" << "exit" << "100" << "70" << QStringList{"end"};
        // clang-format on
    }

    void commandsChangeTheWindowAsAUserSeesIt()
    {
        QFETCH(QString, locale);
        QFETCH(QString, command);
        QFETCH(QString, real);
        QFETCH(QString, ideal);
        QLocale::setDefault(QLocale(locale));
        RecordingForms forms;
        forms.fields = {{"TxtPesoRe", real}, {"TxtPesoId", ideal}, {"TxtTarvelo", "prima"}};
        Calculator calculator(forms);
        const auto run = command == "clear"  ? &Calculator::clear
                         : command == "exit" ? &Calculator::exit
                                             : &Calculator::compute;
        // An error that the command raises is shown, and the program goes on.
        forms.run([&] { (calculator.*run)(); });
        QTEST(forms.calls, "calls");
    }
};

QTEST_GUILESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
