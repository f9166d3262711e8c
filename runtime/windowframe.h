#pragma once

class QWidget;

// Lets a top-level window of fixed size grow where the platform may force a
// larger size on it; it never gets smaller, and its controls keep their size
// and place. Called once the window's own size is set.
void letGrowWhereForced(QWidget& window);
