#include "calculator.h"
#include "messageboxcloser.h"
#include "qtformsruntime.h"
#include "runtimeerror.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

// The commands through the real runtime layer, on real line edits.
class TestQtFormsRuntime : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void computeWritesTheResultFieldAndShowsWarnings();
    void clearWritesOneBlank();
    void unusableControlRaisesRunTimeError_data();
    void unusableControlRaisesRunTimeError();
    void untrappedErrorIsShownAndTheProgramGoesOn();
    void endClosesTheWindowWithStatusZero();

private:
    QLineEdit* field(const char* name) { return m_form->findChild<QLineEdit*>(name); }

    std::unique_ptr<QWidget> m_form;
};

void TestQtFormsRuntime::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

void TestQtFormsRuntime::init()
{
    m_form = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_form.get());
    for (const char* name : {"TxtPesoRe", "TxtPesoId", "TxtTarvelo"}) {
        auto* edit = new QLineEdit(m_form.get());
        edit->setObjectName(name);
        layout->addWidget(edit);
    }
    auto* label = new QLabel("PESO REALE  in Kg", m_form.get());
    label->setObjectName("LBLPesoReale");
    layout->addWidget(label);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestQtFormsRuntime::cleanup()
{
    m_form.reset();
}

void TestQtFormsRuntime::computeWritesTheResultFieldAndShowsWarnings()
{
    QtFormsRuntime forms(*m_form);
    Calculator calculator(forms);
    QTest::keyClicks(field("TxtPesoRe"), "-10");
    QTest::keyClicks(field("TxtPesoId"), "60");

    MessageBoxCloser closer;
    forms.run([&] { calculator.compute(); });

    QCOMPARE(field("TxtTarvelo")->text(), "88");
    QCOMPARE(closer.boxes.size(), 1);
    QCOMPARE(closer.boxes[0].title, "Attenzione !!!");
    QCOMPARE(closer.boxes[0].text, "Il valore del Peso Reale deve essere maggiore di zero");
    QCOMPARE(closer.boxes[0].icon, QMessageBox::Information);
    QCOMPARE(closer.boxes[0].buttons, 1);
}

void TestQtFormsRuntime::clearWritesOneBlank()
{
    QtFormsRuntime forms(*m_form);
    Calculator calculator(forms);
    for (const char* name : {"TxtPesoRe", "TxtPesoId", "TxtTarvelo"})
        field(name)->setText("12");
    forms.run([&] { calculator.clear(); });
    for (const char* name : {"TxtPesoRe", "TxtPesoId", "TxtTarvelo"})
        QCOMPARE(field(name)->text(), " ");
}

void TestQtFormsRuntime::unusableControlRaisesRunTimeError_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::newRow("missing") << "TxtNessuno" << int(RunTimeError::ObjectRequired);
    QTest::newRow("label, not a text field") << "LBLPesoReale" << int(RunTimeError::NotSupported);
}

void TestQtFormsRuntime::unusableControlRaisesRunTimeError()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QtFormsRuntime forms(*m_form);
    for (int write = 0; write < 2; ++write) {
        try {
            if (write)
                forms.setFieldText(name, "1");
            else
                forms.fieldText(name);
            QFAIL("no error raised");
        } catch (const RunTimeError& error) {
            QCOMPARE(error.number(), number);
            QVERIFY(error.message().contains(name));
        }
    }
    QCOMPARE(m_form->findChild<QLabel*>("LBLPesoReale")->text(), "PESO REALE  in Kg");
}

void TestQtFormsRuntime::untrappedErrorIsShownAndTheProgramGoesOn()
{
    QtFormsRuntime forms(*m_form);
    Calculator calculator(forms);
    field("TxtPesoRe")->setText("1e400");
    field("TxtPesoId")->setText("70");
    field("TxtTarvelo")->setText("unchanged");

    MessageBoxCloser closer;
    forms.run([&] { calculator.compute(); });
    QCOMPARE(closer.boxes.size(), 1);
    QCOMPARE(closer.boxes[0].title, "Calcolo del Tarvelo");
    QCOMPARE(closer.boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(closer.boxes[0].buttons, 1);
    QVERIFY(closer.boxes[0].text.contains("overflow"));
    QVERIFY(closer.boxes[0].text.contains("Il calcolo non è stato completato."));
    QCOMPARE(field("TxtTarvelo")->text(), "unchanged");

    field("TxtPesoRe")->setText("100");
    forms.run([&] { calculator.compute(); });
    QCOMPARE(field("TxtTarvelo")->text(), "82");
    QVERIFY(m_form->isVisible());
}

void TestQtFormsRuntime::endClosesTheWindowWithStatusZero()
{
    QtFormsRuntime forms(*m_form);
    Calculator calculator(forms);
    QTimer::singleShot(0, [&] { forms.run([&] { calculator.exit(); }); });
    // Should exit() fail to end the loop, this ends it with another status.
    QTimer::singleShot(10'000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!m_form->isVisible());
}

QTEST_MAIN(TestQtFormsRuntime)
#include "tst_qtformsruntime.moc"
