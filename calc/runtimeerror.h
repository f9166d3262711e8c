#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

// A run-time error: a number and an Italian message. Commands do not trap
// it; FormsRuntime::run shows it to the user.
class RunTimeError : public std::exception {
public:
    enum Number : int {
        Overflow = 6,
        OutOfMemory = 7,
        ObjectRequired = 424,
        NotSupported = 438,
    };

    RunTimeError(int number, QString message)
        : m_number(number)
        , m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {
    }

    static RunTimeError overflow()
    {
        return RunTimeError(Overflow, QStringLiteral("numero troppo grande (overflow)"));
    }

    int number() const noexcept { return m_number; }
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    int m_number;
    QString m_message;
    QByteArray m_utf8;
};
