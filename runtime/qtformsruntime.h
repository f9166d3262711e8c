#pragma once

#include "announcer.h"
#include "formsruntime.h"

class QLineEdit;
class QMessageBox;
class QWidget;

// The forms runtime on Qt widgets: fields are the QLineEdits below the form,
// found by object name; message boxes are QMessageBoxes over the form.
class QtFormsRuntime : public FormsRuntime {
public:
    explicit QtFormsRuntime(QWidget& form);

    QString fieldText(const QString& field) override;
    void setFieldText(const QString& field, const QString& text) override;
    void msgBox(const QString& prompt, int style, const QString& title) override;
    void end() override;

private:
    QLineEdit& lineEdit(const QString& field) const;

    QWidget& m_form;
    Announcer m_announcer;
    QMessageBox* m_boxes[2] = {};
    int m_turn = 0;
};
