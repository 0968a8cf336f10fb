// The bounds that keep arithmetic on players' values and the system's
// rectangles safe. No Win32 here.
#pragma once

// Positions and sizes: far beyond any screen, yet small enough that sums,
// and products with a ratio's part, never overflow an int.
constexpr int kFarthest = 1 << 20;  // positions within -kFarthest..kFarthest

inline int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }
