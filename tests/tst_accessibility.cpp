#include "tarvelo.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>

// What a screen reader finds in the window, through Qt's accessibility
// interfaces.
class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void controlsHaveItalianNamesAndRoles_data();
    void controlsHaveItalianNamesAndRoles();
    void fieldsAreLabelledByTheirCaptions();
    void resultIsReadableAfterACompute();

private:
    QAccessibleInterface* accessible(const char* name)
    {
        QWidget* widget = m_window->findChild<QWidget*>(name);
        return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
    }

    std::unique_ptr<Tarvelo> m_window;
};

void TestAccessibility::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    m_window = std::make_unique<Tarvelo>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAccessibility::controlsHaveItalianNamesAndRoles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QAccessible::Role>("role");

    QTest::newRow("TxtPesoRe") << "Peso reale in kg"
                               << "" << QAccessible::EditableText;
    QTest::newRow("TxtPesoId") << "Peso ideale in kg"
                               << "" << QAccessible::EditableText;
    QTest::newRow("TxtTarvelo") << "Tarvelo in kg"
                                << "Il peso corretto calcolato dal peso reale e dal peso ideale"
                                << QAccessible::EditableText;
    QTest::newRow("CmdCalcola") << "Calcola"
                                << "" << QAccessible::Button;
    QTest::newRow("CmdCancella") << "Cancella"
                                 << "" << QAccessible::Button;
    QTest::newRow("CmdUscita") << "Uscita"
                               << "" << QAccessible::Button;
    QTest::newRow("Label3") << "Peso Ideale  - [ (  Peso Reale  -  Peso Ideale )  x  0,4 ]"
                            << "" << QAccessible::StaticText;
    QTest::newRow("Label5") << "Se il peso Reale < Peso Ideale"
                            << "" << QAccessible::StaticText;
    QTest::newRow("Label6") << "Peso Ideale  + [ (  Peso Reale  -  Peso Ideale )  x  0,4 ]"
                            << "" << QAccessible::StaticText;
    QTest::newRow("Label7") << "Se il peso Reale > Peso ideale"
                            << "" << QAccessible::StaticText;
}

void TestAccessibility::controlsHaveItalianNamesAndRoles()
{
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(QAccessible::Role, role);

    QAccessibleInterface* iface = accessible(QTest::currentDataTag());
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Description), description);
    QCOMPARE(iface->role(), role);
    QVERIFY(!iface->state().invisible);
}

void TestAccessibility::fieldsAreLabelledByTheirCaptions()
{
    const QList<std::pair<const char*, const char*>> pairs{{"TxtPesoRe", "LBLPesoReale"},
                                                           {"TxtPesoId", "LBLPesoIdeale"},
                                                           {"TxtTarvelo", "LBLFattore"}};
    for (auto [field, caption] : pairs) {
        bool labelled = false;
        for (const auto& [other, relation] : accessible(field)->relations(QAccessible::Label))
            labelled = labelled || other->object()->objectName() == caption;
        QVERIFY2(labelled, field);
    }
}

void TestAccessibility::resultIsReadableAfterACompute()
{
    m_window->findChild<QLineEdit*>("TxtPesoRe")->setText("85.5");
    m_window->findChild<QLineEdit*>("TxtPesoId")->setText("70");
    // Pressed as an assistive tool presses it: through its action.
    QAccessibleInterface* button = accessible("CmdCalcola");
    QVERIFY(button->actionInterface());
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());

    QAccessibleTextInterface* result = accessible("TxtTarvelo")->textInterface();
    QVERIFY(result);
    QTRY_COMPARE(result->text(0, result->characterCount()), "76,2");
    QCOMPARE(accessible("TxtTarvelo")->text(QAccessible::Value), "76,2");
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
