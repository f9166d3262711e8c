#pragma once

class QWidget;

// Keeps a top-level form at its own size (its minimum size), so that the
// desktop offers no maximize. Where the platform forces a larger state on it
// anyway, the window takes that size with the form whole and centred in it,
// and is fixed again once it returns to normal. Called once the form's size
// is set.
void keepFormSize(QWidget& form);
