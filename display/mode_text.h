// Mode labels and mode matching: no Win32 here.
#pragma once

#include <stddef.h>

#include "core/host_contract.h"
#include "settings/setting_values.h"

constexpr size_t kModeRowSize = 100;

enum class ModeLabel { None, Windowed, FullScreen, WideScreen };

// Windowed for non-exclusive modes; for exclusive ones by the exact
// single-precision ratio height / width (4:3 and 5:4 full screen; 5:3, 16:10
// and 16:9 wide screen).
ModeLabel LabelForMode(const ModeInfo& mode);
// The dialog row text, e.g. "1024 x 768 x 32 (FULLSCREEN)".
void BuildModeRowText(char* row, size_t size, const ModeInfo& mode);

// Is mode the full-screen mode of the size (and depth, when one was given)
// the dispora setting asks for? A size never names the windowed mode, though
// the engine gives it the desktop's size: that one is asked for by name.
bool ModeMatches(const ModeInfo& mode, const ModeRequest& request);
// Does mode serve the request better than best, the best match so far (null
// for none)? It must match; without a depth asked for, a deeper mode is
// better (true colour before the 16-bit modes the system emulates), and of
// equal ones the first stays.
bool ModeServesBetter(const ModeInfo& mode, const ModeInfo* best, const ModeRequest& request);

