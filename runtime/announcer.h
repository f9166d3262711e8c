#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Tells a screen reader short messages about a window without moving the
// focus or showing anything: each message goes to assistive technologies
// only, as an announcement of the window, which screen readers speak.
class Announcer : public QObject {
public:
    explicit Announcer(QWidget& window);

    void announce(const QString& message);

    QWidget& window() const { return m_window; }
    const QString& message() const { return m_message; }

private:
    QWidget& m_window;
    QString m_message;
};
