#pragma once

class QWidget;

// Keeps a top-level form at its own size (its minimum size), so that the
// desktop offers no maximize, and neither does the title bar that Qt draws
// itself on Wayland. Where the platform forces a larger size on it anyway,
// the window takes that size with the form centred in it, and is fixed again
// once it returns to normal. While a modal box is up, the form refuses to be
// closed. Called once the form's size is set.
void keepFormSize(QWidget& form);

// Lets a top-level window of fixed size grow where the platform may force a
// larger size on it; it never gets smaller, and its controls keep their size
// and place. For windows that cannot be shown anew while they are up, such
// as a modal message box; called once the window's own size is set.
void letGrowWhereForced(QWidget& window);
