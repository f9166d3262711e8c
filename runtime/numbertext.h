#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

// The runtime's conversions between text and double.

// The number at the start of the text; 0 where none stands there. Leading
// spaces and tabs are skipped; then an optional sign, ASCII digits with an
// optional point and fraction, and an optional exponent ('e' or 'E', an
// optional sign and at least one digit). Reading stops at the first
// character that cannot continue the number. Linear in the length of the
// text. A magnitude beyond the range of a double raises RunTimeError
// (overflow); one too small reads as the nearest subnormal or 0. The result
// is always finite.
double valFromText(QStringView text);

// The standard text of a double: at most 15 significant digits, no trailing
// zeros, no digit grouping, the decimal separator and exponent form of the
// locale; negative zero is written "0".
QString textFromDouble(double value, const QLocale& locale = QLocale());
