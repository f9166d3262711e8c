#pragma once

class QWidget;

// Completes a window built from its stored description (a Qt Designer form)
// with what the description records in dynamic properties:
//  - "pointSizeF": the exact point size of a control's font, which the form
//    format can only store as a whole number;
//  - "systemTextColor" and "systemBackColor": system colour indexes, resolved
//    against the running palette.
// Font families the machine lacks are replaced by close relatives from the
// Debian font packages.
void loadStoredForm(QWidget& form);
