#include "tarvelo.h"

#include "storedform.h"

Tarvelo::Tarvelo(QWidget* parent)
    : QWidget(parent)
    , m_forms(*this)
    , m_calculator(m_forms)
{
    m_ui.setupUi(this);
    loadStoredForm(*this);

    bind(m_ui.CmdCalcola, &Calculator::compute);
    bind(m_ui.CmdCancella, &Calculator::clear);
    bind(m_ui.CmdUscita, &Calculator::exit);

    m_ui.TxtPesoRe->setFocus();
}

void Tarvelo::bind(QPushButton* button, void (Calculator::*command)())
{
    connect(button, &QPushButton::clicked, this,
            [this, command] { m_forms.run([this, command] { (m_calculator.*command)(); }); });
}
