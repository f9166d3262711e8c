#pragma once

#include <QColor>

class QPalette;

// The system colours a window description names by index, resolved against
// the running palette. An index the table does not know gives an invalid
// colour, and the control keeps its default.
QColor systemColor(int index, const QPalette& palette);
