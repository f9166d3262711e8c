#include "tarvelo.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

Tarvelo::Tarvelo(QWidget* parent)
    : QWidget(parent)
    , m_forms(*this)
    , m_calculator(m_forms)
{
    setWindowTitle(FormsRuntime::programTitle());

    auto* form = new QFormLayout(this);
    auto addField = [&](const QString& name, const QString& caption) {
        auto* field = new QLineEdit(this);
        field->setObjectName(name);
        field->setAlignment(Qt::AlignCenter);
        form->addRow(caption, field);
        return field;
    };
    QLineEdit* real = addField(QStringLiteral("TxtPesoRe"), QStringLiteral("PESO REALE  in Kg"));
    addField(QStringLiteral("TxtPesoId"), QStringLiteral("PESO IDEALE in Kg  "));
    addField(QStringLiteral("TxtTarvelo"), QStringLiteral("Tarvelo Kg"));

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](const QString& name, const QString& caption,
                         void (Calculator::*command)()) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this,
                [this, command] { m_forms.run([this, command] { (m_calculator.*command)(); }); });
    };
    addButton(QStringLiteral("CmdCalcola"), QStringLiteral("Calcola"), &Calculator::compute);
    addButton(QStringLiteral("CmdCancella"), QStringLiteral("Cancella"), &Calculator::clear);
    addButton(QStringLiteral("CmdUscita"), QStringLiteral("Uscita"), &Calculator::exit);
    form->addRow(buttons);

    real->setFocus();
}
