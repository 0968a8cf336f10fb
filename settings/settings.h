// Every setting, read once at start into one record. The one table of
// settings serves the reading, the explanations of what was not understood,
// and the check that the players' documents name every setting. No Win32
// here.
#pragma once

#include <stddef.h>

#include "settings/config.h"
#include "settings/setting_values.h"

// A value as the log shows it: at most 32 characters.
constexpr size_t kShownValueSize = 33;

enum class SettingSource { Absent, CommandLine, FileName, File };

// How a setting's value is read, and the type of its field in the record.
enum class SettingKind {
    Mode,        // ModeSetting
    Truth,       // bool
    OnUnlessNo,  // bool, true unless a false word (no, false, 0) is given
    WindowSize,  // WindowSizeSetting
    WindowPos,   // WindowPos
    Topmost,     // ZOrder
    Monitor,     // MonitorSetting
    Aspect,      // AspectSetting
};

struct ModeSetting {
    bool given;
    ModeRequest request;
};
// windowsize (the outer size) or picturesize (the client area's).
struct WindowSizeSetting {
    bool given;
    int width;  // 640 x 480 when given but not understood
    int height;
};
// Whether that monitor is there is known only once the window is placed.
struct MonitorSetting {
    bool given;
    bool isNumber;
    int number;
    char shown[kShownValueSize];
};
struct AspectSetting {
    AspectKind kind;
    AspectRatio ratio;  // for AspectKind::Ratio
};

constexpr size_t kSettingCount = 14;

struct SettingsRecord {
    ModeSetting dispora;
    WindowSizeSetting windowSize;
    WindowSizeSetting pictureSize;  // wins over windowSize
    WindowPos windowPos;
    bool borderless;
    ZOrder topmost;
    MonitorSetting monitor;
    AspectSetting aspect;
    bool altEnter;
    bool remember;
    bool pauseOnLeave;
    bool clipCursor;
    bool logFile;
    bool dpiAware;
    // By row of kSettingRows: where each value came from, and the value as read.
    SettingSource source[kSettingCount];
    char shown[kSettingCount][kShownValueSize];
    // For a value not understood, what it counts as ("no", "ignored"...); null when understood.
    const char* notUnderstood[kSettingCount];
    // The plug-in's own path in UTF-8, for the files it keeps beside itself.
    char modulePath[kPathSize];
};

struct SettingRow {
    const char* name;
    const char* defaultValue;  // read like a given value; null: absent
    SettingKind kind;
    size_t field;  // offset of the record's field, of the kind's type
};
extern const SettingRow kSettingRows[kSettingCount];

// Looks every setting up in config (command line, file name, file) and
// parses it into record. The value parsed is the one shown: from the file
// up to its line end; from the command line or the file name up to the
// first blank.
void ReadSettings(Config& config, SettingsRecord* record);

// One line (without the tag) for each file line that names no setting, each
// value not understood, and a missing dispora setting.
using ExplanationSink = void (*)(const char* line);
void ExplainSettings(const Config& config, const SettingsRecord& record, ExplanationSink say);

#ifdef _WIN32
// Reads every setting from the host's command line, the plug-in's file name
// and dispora.ini beside it into record.
void ReadSettingsAtStart(void* module, SettingsRecord* record);
// Logs ExplainSettings' lines, then the compatibility layers in force that
// fight the settings (ExplainCompatLayers).
void ExplainSettingsAtStart(const SettingsRecord& record);
#endif
