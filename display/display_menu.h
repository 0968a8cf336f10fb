#pragma once

#include <stdint.h>

// The game's display menu shows the name of the mode at savedModeIndex from
// the game's own list, which names full-screen modes only: on the windowed
// mode, which has none, the game crashes. When the front end starts it copies
// GcurSelVM into the menu's fields (and gta3.set's), so a windowed choice
// must put a named mode back there before the player can open the menu.
struct NamedMenuMode {
    int32_t index;  // -1 when the game's list names no full-screen mode
    char name[32];
};

// The mode's name in the game's list, as the game's step into the menu's
// mode needs it: null for mode 0 and for a mode the list does not name.
const char* MenuModeName(int32_t mode);
// The game's own menu mode when it has a name, else the first one named.
NamedMenuMode NamedFullScreenMode(int32_t gamesOwn);
// From now on, before the player's key or click reaches the game and four
// times a second (a gamepad sends no message), the menu's fields get the
// named mode wherever they hold the windowed mode.
void WatchDisplayMenu(const NamedMenuMode& named);
// The check itself: called before the game sees a key or a mouse button go
// down, and by the game window's watch.
void NameDisplayMenuMode();
