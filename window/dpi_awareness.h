// Sharp windows on scaled displays: the dpiaware key.
#pragma once

// Before the game made its window: makes the process DPI-aware (per-monitor
// v2 where the system has it, else system-wide) when dpiaware is set. Once
// the window exists its scaling can no longer change: only a log line.
void ApplyDpiAwareness(bool windowExists);
