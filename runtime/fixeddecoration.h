#pragma once

// Has Qt draw the title bar of every window of the program on Wayland, where
// the compositor leaves that to the client, as it would, but with the
// maximize of a window of fixed size disarmed: its button and a double-click
// on its title change nothing. Called before the first window is shown.
void useFixedDecoration();
