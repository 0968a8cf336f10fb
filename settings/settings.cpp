#include "settings/settings.h"

#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <type_traits>

#include "core/log_line.h"
#include "core/path_text.h"

static_assert(std::is_standard_layout<SettingsRecord>::value, "fields are named by their offsets");

#define SETTING_FIELD(field) offsetof(SettingsRecord, field)

// Adding a setting: a field in SettingsRecord, a row here (kSettingCount
// follows), a kind with its parse if none fits, and a line in README.md,
// PLAYERS.txt and dispora.ini.
const SettingRow kSettingRows[kSettingCount] = {
    {"dispora", nullptr, SettingKind::Mode, SETTING_FIELD(dispora)},
    {"windowsize", nullptr, SettingKind::WindowSize, SETTING_FIELD(windowSize)},
    {"picturesize", nullptr, SettingKind::WindowSize, SETTING_FIELD(pictureSize)},
    {"windowpos", nullptr, SettingKind::WindowPos, SETTING_FIELD(windowPos)},
    {"borderless", nullptr, SettingKind::Truth, SETTING_FIELD(borderless)},
    {"topmost", nullptr, SettingKind::Topmost, SETTING_FIELD(topmost)},
    {"monitor", nullptr, SettingKind::Monitor, SETTING_FIELD(monitor)},
    {"aspect", nullptr, SettingKind::Aspect, SETTING_FIELD(aspect)},
    {"altenter", "yes", SettingKind::Truth, SETTING_FIELD(altEnter)},
    {"remember", nullptr, SettingKind::Truth, SETTING_FIELD(remember)},
    {"pauseonleave", nullptr, SettingKind::Truth, SETTING_FIELD(pauseOnLeave)},
    {"clipcursor", nullptr, SettingKind::Truth, SETTING_FIELD(clipCursor)},
    {"logfile", nullptr, SettingKind::OnUnlessNo, SETTING_FIELD(logFile)},
    {"dpiaware", nullptr, SettingKind::Truth, SETTING_FIELD(dpiAware)},
};

namespace {

constexpr int kMostUnknownLinesShown = 8;

bool Within(const char* at, const char* text) {
    const uintptr_t p = reinterpret_cast<uintptr_t>(at);
    const uintptr_t start = reinterpret_cast<uintptr_t>(text);
    return p >= start && p <= start + strlen(text);
}

SettingSource SourceOf(const Config& config, const char* value) {
    if (value == nullptr) return SettingSource::Absent;
    if (Within(value, config.CommandLine())) return SettingSource::CommandLine;
    if (Within(value, config.ModulePath())) return SettingSource::FileName;
    return SettingSource::File;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The value as read, cut to fit: a file value runs to its line end, any
// other to the first blank.
void CopyValue(char* out, const char* value, SettingSource source) {
    size_t length = 0;
    while (length < kShownValueSize - 1 && value[length] != '\0' &&
           (source == SettingSource::File || !IsBlank(value[length]))) {
        ++length;
    }
    length = WholeCharacters(value, length);
    memcpy(out, value, length);
    out[length] = '\0';
}

template <typename Field>
Field& FieldOf(SettingsRecord* record, const SettingRow& row) {
    return *reinterpret_cast<Field*>(reinterpret_cast<char*>(record) + row.field);
}

// Parses value (null when the setting is absent and has no default) into
// the row's field. Returns what a value it does not understand counts as,
// or null.
const char* ParseInto(SettingsRecord* record, const SettingRow& row, const char* value) {
    switch (row.kind) {
        case SettingKind::Mode:  // any dispora value has a meaning
            FieldOf<ModeSetting>(record, row) = {value != nullptr, ParseModeRequest(value)};
            return nullptr;
        case SettingKind::Truth: {
            const Truth truth = ParseTruth(value);
            FieldOf<bool>(record, row) = IsTrue(truth);
            return value != nullptr && truth == Truth::NotUnderstood ? "no" : nullptr;
        }
        case SettingKind::OnUnlessNo: {
            // The log that explains a value not understood: only a false word turns it off.
            const Truth truth = ParseTruth(value);
            FieldOf<bool>(record, row) = truth != Truth::False;
            return value != nullptr && truth == Truth::NotUnderstood ? "yes" : nullptr;
        }
        case SettingKind::WindowSize: {
            WindowSizeSetting& size = FieldOf<WindowSizeSetting>(record, row);
            size.given = value != nullptr;
            return size.given && !ParseWindowSize(value, &size.width, &size.height) ? "640 x 480"
                                                                                      : nullptr;
        }
        case SettingKind::WindowPos: {
            WindowPos& pos = FieldOf<WindowPos>(record, row);
            pos = ParseWindowPos(value);
            return pos.kind == WindowPosKind::NotUnderstood ? "ignored" : nullptr;
        }
        case SettingKind::Topmost:
            FieldOf<ZOrder>(record, row) = ParseTopmost(value);
            return TopmostUnderstood(value) ? nullptr : "an ordinary window";
        case SettingKind::Monitor: {  // whether that monitor is there is known only when the window is placed
            MonitorSetting& monitor = FieldOf<MonitorSetting>(record, row);
            monitor.given = value != nullptr;
            monitor.isNumber = monitor.given && ParseWholeNumber(value, &monitor.number) != nullptr;
            CopySettingWord(monitor.shown, sizeof(monitor.shown), value != nullptr ? value : "");
            return nullptr;
        }
        case SettingKind::Aspect: {
            AspectSetting& aspect = FieldOf<AspectSetting>(record, row);
            aspect.kind = ParseAspect(value, &aspect.ratio);
            return aspect.kind == AspectKind::NotUnderstood ? "ignored" : nullptr;
        }
    }
    return nullptr;
}

// The row of the record's field.
size_t RowOf(size_t field) {
    size_t row = 0;
    while (row < kSettingCount - 1 && kSettingRows[row].field != field) ++row;
    return row;
}

bool NamesSetting(const char* line) {
    for (const SettingRow& row : kSettingRows) {
        if (strncmp(line, row.name, strlen(row.name)) == 0) return true;
    }
    return false;
}

// Empty, blanks only, or a comment or section line.
bool SaysNothing(const char* line) {
    const char* text = line;
    while (IsBlank(*text)) ++text;
    return *text == '\0' || line[0] == ';' || line[0] == '#' || line[0] == '[';
}

void ExplainFileLines(const Config& config, ExplanationSink say) {
    int lineNumber = 0;
    int unknown = 0;
    for (const char* line = config.NextFileLine(nullptr); line != nullptr; line = config.NextFileLine(line)) {
        ++lineNumber;
        if (SaysNothing(line) || NamesSetting(line)) continue;
        if (++unknown > kMostUnknownLinesShown) {
            say("dispora.ini: more lines name no setting");
            return;
        }
        // The line as the log shows it: at most 60 bytes.
        char text[160];
        size_t shown = 0;
        while (shown < 60 && line[shown] != '\0') ++shown;
        shown = WholeCharacters(line, shown);
        FormatBounded(text, sizeof(text), "dispora.ini line %d: \"%.*s\" names no setting: ignored", lineNumber,
                      static_cast<int>(shown), line);
        say(text);
    }
}

}  // namespace

void ReadSettings(Config& config, SettingsRecord* record) {
    memset(record, 0, sizeof(*record));
    for (size_t i = 0; i < kSettingCount; ++i) {
        const SettingRow& row = kSettingRows[i];
        const char* found = config.Find(row.name);
        record->source[i] = SourceOf(config, found);
        if (found != nullptr) CopyValue(record->shown[i], found, record->source[i]);
        record->notUnderstood[i] = ParseInto(record, row, found != nullptr ? record->shown[i] : row.defaultValue);
    }
    // A picturesize not understood never wins over a windowsize that is.
    const char*& pictureNotUnderstood = record->notUnderstood[RowOf(SETTING_FIELD(pictureSize))];
    if (pictureNotUnderstood != nullptr && record->windowSize.given &&
        record->notUnderstood[RowOf(SETTING_FIELD(windowSize))] == nullptr) {
        record->pictureSize.given = false;
        pictureNotUnderstood = "windowsize instead";
    }
    memcpy(record->modulePath, config.ModulePath(), sizeof(record->modulePath));
}

void ExplainSettings(const Config& config, const SettingsRecord& record, ExplanationSink say) {
    ExplainFileLines(config, say);
    char text[kPathSize + 128];
    if (config.UnreadableReason() != nullptr) {
        FormatBounded(text, sizeof(text), "%s cannot be read (%s): none of its settings are used", config.FilePath(),
                      config.UnreadableReason());
        say(text);
    }
    for (size_t i = 0; i < kSettingCount; ++i) {
        if (record.notUnderstood[i] == nullptr) continue;
        FormatBounded(text, sizeof(text), "%s \"%s\" not understood: %s", kSettingRows[i].name, record.shown[i],
                      record.notUnderstood[i]);
        say(text);
    }
    if (record.pictureSize.given && record.windowSize.given) {
        FormatBounded(text, sizeof(text), "picturesize \"%s\" wins over windowsize \"%s\"",
                      record.shown[RowOf(SETTING_FIELD(pictureSize))], record.shown[RowOf(SETTING_FIELD(windowSize))]);
        say(text);
    }
    if (record.dispora.given) return;
    // Where it was looked for: the file's path, or where the file would be
    // (one that cannot be read was named above).
    const char* where = config.UnreadableReason() != nullptr ? " or in the file name"
                        : config.FileMissing()               ? " or in the file name, and no "
                                                             : ", in the file name or in ";
    FormatBounded(text, sizeof(text), "no dispora setting on the command line%s%s: video mode and window left to the game",
                  where, config.UnreadableReason() != nullptr ? "" : config.FilePath());
    say(text);
}
