#include "tarvelo.h"

#include "storedform.h"

Tarvelo::Tarvelo(QWidget* parent)
    : QWidget(parent)
    , m_forms(*this)
    , m_calculator(m_forms)
{
    prepareStoredForm();
    m_ui.setupUi(this);
    loadStoredForm(*this);

    // The stored icon holds the classic 16 and 32 pixel images; larger ones
    // keep it sharp on high-DPI screens. They follow once the window is up,
    // so that start-up does not wait for their decoding.
    QMetaObject::invokeMethod(
        this,
        [this] {
            QIcon icon = windowIcon();
            for (int size : {64, 128})
                icon.addFile(QStringLiteral(":/tarvelo-%1.png").arg(size), QSize(size, size));
            setWindowIcon(icon);
        },
        Qt::QueuedConnection);

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
