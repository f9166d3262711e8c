#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

// Weights are doubles in kilograms, never rounded before they are written.

// The weight at the start of a field's text; 0 where no number stands there.
// Leading spaces and tabs are skipped; then an optional sign, ASCII digits
// with an optional point (the only decimal separator) and fraction, and an
// optional exponent ('e' or 'E', an optional sign and at least one digit).
// Reading stops at the first character that cannot continue the number.
// Linear in the length of the text. A magnitude beyond the range of a double
// raises RunTimeError (overflow); one too small reads as the nearest
// subnormal or 0. The result is always finite.
double readWeight(QStringView text);

// The adjusted weight: 40 % of the distance between the two weights above the
// ideal weight, on whichever side of it the real weight lies. Raises
// RunTimeError (overflow) where a step leaves the range of a double.
double computeAdjusted(double real, double ideal);

// The text written into the result field, in the given (by default the
// user's) locale: at most 15 significant digits, no trailing zeros, no digit
// grouping, the locale's decimal separator and exponent form; negative zero
// is written "0".
QString formatWeight(double weight, const QLocale& locale = QLocale());
