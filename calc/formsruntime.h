#pragma once

#include "runtimeerror.h"

#include <QString>

#include <new>

// What the commands may ask of the window and the application, and nothing
// more. The program uses QtFormsRuntime; tests put a recording fake in its
// place. Every operation that fails raises RunTimeError.
class FormsRuntime {
public:
    // Message box styles: the icon, always with a single OK button.
    enum MsgBoxStyle : int {
        Critical = 16,
        Information = 64,
    };

    virtual ~FormsRuntime() = default;

    // The whole text of the text field with this object name.
    virtual QString fieldText(const QString& field) = 0;
    virtual void setFieldText(const QString& field, const QString& text) = 0;

    // A modal message box; returns when the user has dismissed it.
    virtual void msgBox(const QString& prompt, int style, const QString& title) = 0;

    // Ends the program with exit status 0. The caller returns right after;
    // no further event is handled.
    virtual void end() = 0;

    // Runs one command. A run-time error stops the command at the failing
    // step, keeps what was done before it, and is shown in a critical box
    // titled as the program; the program goes on running.
    template <typename Command> void run(Command command)
    {
        try {
            command();
        } catch (const RunTimeError& error) {
            showError(error);
        } catch (const std::bad_alloc&) {
            // A pasted text too large for memory is reported like any other error.
            showError(
                RunTimeError(RunTimeError::OutOfMemory, QStringLiteral("memoria insufficiente")));
        }
    }

private:
    void showError(const RunTimeError& error)
    {
        msgBox(QStringLiteral("Errore %1: %2.\n\nIl calcolo non è stato completato.")
                   .arg(error.number())
                   .arg(error.message()),
               Critical, QStringLiteral("Calcolo del Tarvelo"));
    }
};
