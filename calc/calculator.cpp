#include "calculator.h"

#include "formsruntime.h"
#include "weight.h"

#include <QString>

namespace {

// The window's text fields, by object name.
const QString kTxtPesoRe = QStringLiteral("TxtPesoRe");
const QString kTxtPesoId = QStringLiteral("TxtPesoId");
const QString kTxtTarvelo = QStringLiteral("TxtTarvelo");

const QString kWarningTitle = QStringLiteral("Attenzione !!!");

} // namespace

Calculator::Calculator(FormsRuntime& forms)
    : m_forms(forms)
{
}

void Calculator::compute()
{
    m_numbers.PesoReale = readWeight(m_forms.fieldText(kTxtPesoRe));
    m_numbers.PesoIdeale = readWeight(m_forms.fieldText(kTxtPesoId));
    m_numbers.PesoCalcolato = computeAdjusted(m_numbers.PesoReale, m_numbers.PesoIdeale);
    m_forms.setFieldText(kTxtTarvelo, formatWeight(m_numbers.PesoCalcolato));

    // The checks come after the result is written and undo nothing.
    if (m_numbers.PesoReale <= 0)
        m_forms.msgBox(QStringLiteral("Il valore del Peso Reale deve essere maggiore di zero"),
                       FormsRuntime::Information, kWarningTitle);
    if (m_numbers.PesoIdeale <= 0)
        m_forms.msgBox(QStringLiteral("Il valore del Peso Ideale deve essere maggiore di zero"),
                       FormsRuntime::Information, kWarningTitle);
}

void Calculator::clear()
{
    // One blank, not the empty text: a value typed behind it is still read.
    const QString blank = QStringLiteral(" ");
    m_forms.setFieldText(kTxtPesoRe, blank);
    m_forms.setFieldText(kTxtPesoId, blank);
    m_forms.setFieldText(kTxtTarvelo, blank);
}

void Calculator::exit()
{
    m_forms.end();
}
