#pragma once

class QWidget;

// Keeps a top-level form, fixed at its own size by equal minimum and maximum
// sizes, at that size, so that the desktop offers no maximize. Where the
// platform forces a larger state on it anyway, the window takes that size
// with the form whole and centred in it, and is fixed again once it returns
// to normal. Called once the form's size is set.
void keepFormSize(QWidget& form);
