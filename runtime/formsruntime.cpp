#include "formsruntime.h"

#include "runtimeerror.h"

#include <new>

namespace {

// The program's title, which the runtime's own messages carry.
const QString kProgramTitle = QStringLiteral("Calcolo del Tarvelo");

// The text of the box that reports an error a command did not trap.
QString errorPrompt(const RunTimeError& error)
{
    return QStringLiteral("Errore %1: %2.\n\nIl calcolo non è stato completato.")
        .arg(error.number())
        .arg(error.message());
}

} // namespace

void FormsRuntime::run(const std::function<void()>& command)
{
    try {
        command();
    } catch (const RunTimeError& error) {
        msgBox(errorPrompt(error), Critical, kProgramTitle);
    } catch (const std::bad_alloc&) {
        // A pasted text too large for memory: report it like any other error.
        msgBox(errorPrompt(RunTimeError(RunTimeError::OutOfMemory,
                                        QStringLiteral("memoria insufficiente"))),
               Critical, kProgramTitle);
    }
}
