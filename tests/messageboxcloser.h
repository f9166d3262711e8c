#pragma once

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

// Answers every modal message box that comes up while it lives, by clicking
// its OK button, and records what each one showed.
class MessageBoxCloser : public QObject {
public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        int buttons;
    };
    QList<Box> boxes;

    MessageBoxCloser()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            boxes.append(
                {box->windowTitle(), box->text(), box->icon(), int(box->buttons().size())});
            box->button(QMessageBox::Ok)->click();
        });
        m_timer.start(5);
    }

private:
    QTimer m_timer;
};
