#pragma once

#include "formsruntime.h"
#include "runtimeerror.h"

#include <QMap>
#include <QSet>
#include <QStringList>

// Records every call the commands make, in order. Fields are the keys of
// `fields`; a name that is missing there, or listed in `broken`, fails like a
// control the window does not have.
class FakeFormsRuntime : public FormsRuntime {
public:
    QMap<QString, QString> fields{{"TxtPesoRe", ""}, {"TxtPesoId", ""}, {"TxtTarvelo", ""}};
    QSet<QString> broken;
    QStringList calls;

    QString fieldText(const QString& field) override
    {
        calls << "read " + field;
        return fields[check(field)];
    }
    void setFieldText(const QString& field, const QString& text) override
    {
        calls << QStringLiteral("write %1 '%2'").arg(field, text);
        fields[check(field)] = text;
    }
    void msgBox(const QString& prompt, int style, const QString& title) override
    {
        calls << QStringLiteral("box %1 [%2] %3").arg(style).arg(title, prompt);
    }
    void end() override { calls << "end"; }

private:
    const QString& check(const QString& field) const
    {
        if (broken.contains(field) || !fields.contains(field))
            throw RunTimeError(RunTimeError::ObjectRequired, "il campo " + field + " non esiste");
        return field;
    }
};
