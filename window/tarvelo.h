#pragma once

#include "calculator.h"
#include "qtformsruntime.h"
#include "ui_tarvelo.h"

#include <QWidget>

class QPushButton;

// The main window, built from its stored description, with each button bound
// to its command. No other event of any control is handled.
class Tarvelo : public QWidget {
    Q_OBJECT

public:
    explicit Tarvelo(QWidget* parent = nullptr);

private:
    void bind(QPushButton* button, void (Calculator::*command)());

    Ui::Tarvelo m_ui;
    QtFormsRuntime m_forms;
    Calculator m_calculator;
};
