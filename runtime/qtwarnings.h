#pragma once

// Keeps off the output the few warnings that Qt prints of what others do,
// which are harmless and which the program cannot avoid; every other message
// goes on as before. Called once at start, before the first window.
void silenceHarmlessQtWarnings();
