#pragma once

class QWidget;

// Completes a window built from its stored description (a Qt Designer form)
// with what the description records in dynamic properties:
//  - "pointSizeF": the exact point size of a control's font, which the form
//    format can only store as a whole number;
//  - "systemTextColor" and "systemBackColor": system colour indexes, resolved
//    against the running palette.
// The form keeps its own size, centred in a larger window where the platform
// forces one on it.
void loadStoredForm(QWidget& form);

// Readies the application for a stored form: stands close relatives from the
// Debian font packages in for the font families the description names where
// the machine lacks them. Called before the form's controls are built, so
// that none looks for a missing family.
void prepareStoredForm();
