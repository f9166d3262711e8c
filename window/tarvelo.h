#pragma once

#include "calculator.h"
#include "qtformsruntime.h"

#include <QWidget>

// The main window: its fields and buttons, with each button bound to its
// command.
class Tarvelo : public QWidget {
    Q_OBJECT

public:
    explicit Tarvelo(QWidget* parent = nullptr);

    const Calculator& calculator() const { return m_calculator; }

private:
    QtFormsRuntime m_forms;
    Calculator m_calculator;
};
