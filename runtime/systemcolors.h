#pragma once

#include <QColor>

class QPalette;

// The system colours a window description names by index, resolved against
// the running palette. An index the table does not know gives an invalid
// colour, and the control keeps its default.
QColor systemColor(int index, const QPalette& palette);

// The WCAG contrast ratio of two colours, from 1 (none) to 21.
double contrastRatio(const QColor& a, const QColor& b);

// The text colour itself where it reads on the background at the ratio
// given; otherwise the same hue made lighter (on a dark background) or darker
// (on a light one) until it does.
QColor readableOn(const QColor& text, const QColor& background, double ratio = 3.0);
