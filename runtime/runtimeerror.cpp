#include "runtimeerror.h"

#include <utility>

RunTimeError::RunTimeError(int number, QString message)
    : m_number(number)
    , m_message(std::move(message))
    , m_utf8(m_message.toUtf8())
{
}

RunTimeError RunTimeError::overflow()
{
    return RunTimeError(Overflow, QStringLiteral("numero troppo grande (overflow)"));
}
