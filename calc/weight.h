#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

// Weights are doubles in kilograms, never rounded before they are written.

// The weight at the start of a field's text; the point is the only decimal
// separator. Text that holds no number reads 0. Raises RunTimeError
// (overflow) for a magnitude beyond the range of a double.
double readWeight(QStringView text);

// The adjusted weight: 40 % of the distance between the two weights above the
// ideal weight, on whichever side of it the real weight lies. Raises
// RunTimeError (overflow) where a step leaves the range of a double.
double computeAdjusted(double real, double ideal);

// The text written into the result field, in the given (by default the
// user's) locale.
QString formatWeight(double weight, const QLocale& locale = QLocale());
