// remember: the framed window's place and size in dispora-window.ini beside
// the plug-in, saved when the player ends a move or a size, used at the
// next start. dispora.ini is never written. The file's text is pure
// arithmetic (remembered_window_text.cpp); its reading and writing are the
// system's (remembered_window.cpp).
#pragma once

#include <stddef.h>

#include "window/geometry.h"

// The remembered outer rectangle in the settings file's own syntax,
// "windowpos=X,Y" and "windowsize=WxH", one a line. Returns the text's
// length (0 when it does not fit).
size_t FormatRememberedWindow(char* out, size_t size, const ScreenRect& outer);
// Both lines, in any order (the first of each key counts), with a position
// and a size the keys accept; false for anything else.
bool ParseRememberedWindow(const char* text, ScreenRect* outer);

// The remembered outer rectangle, if the file holds one that lies on a
// monitor now (one log line either way when the file holds one); outer may
// be written either way.
// The file is beside the plug-in at pluginPath.
bool ReadRememberedWindow(const char* pluginPath, ScreenRect* outer);
// Where the window starts: a later save only when it has changed since.
void StartRemembering(const char* pluginPath, const ScreenRect& outer);
// WM_EXITSIZEMOVE of a framed window neither maximised nor minimised: saves
// its rectangle if it has changed.
void RememberWindow(const ScreenRect& outer);
