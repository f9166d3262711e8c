#pragma once

class QWidget;

// While a modal box of the program is up, the form refuses a request to
// close it, and the box stays in front, as a desktop does for the owner of a
// modal box.
void refuseCloseUnderModalBox(QWidget& form);
