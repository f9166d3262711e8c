#include "formsruntime.h"

#include "runtimeerror.h"

#include <new>

void FormsRuntime::run(const std::function<void()>& command)
{
    try {
        command();
    } catch (const RunTimeError& error) {
        msgBox(errorPrompt(error), Critical, programTitle());
    } catch (const std::bad_alloc&) {
        // A pasted text too large for memory: report it like any other error.
        msgBox(errorPrompt(RunTimeError(RunTimeError::OutOfMemory,
                                        QStringLiteral("memoria insufficiente"))),
               Critical, programTitle());
    }
}

QString FormsRuntime::errorPrompt(const RunTimeError& error)
{
    return QStringLiteral("Errore %1: %2.\n\nIl calcolo non è stato completato.")
        .arg(error.number())
        .arg(error.message());
}
