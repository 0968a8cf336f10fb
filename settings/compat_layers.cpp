#include "settings/compat_layers.h"

#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "core/log_line.h"

namespace {

// What a layer does to the game that a setting asks for otherwise.
enum class Fight : uint8_t {
    None,                   // known, harmless to the plug-in
    AnyMode,                // a windowed or full-screen dispora mode
    NotSixForty,            // the windowed mode, or a full-screen size other than 640 x 480
    DeeperThan8,            // the windowed mode, or a full-screen mode deeper than 8 bits
    DeeperThan16,           // the windowed mode, or a full-screen mode deeper than 16 bits
    FullScreen,             // an exclusive full-screen size
    DpiAware,               // dpiaware
};

struct KnownLayer {
    const char* name;  // as Windows writes it; matched in any case
    Fight fight;
    const char* breaks;
    const char* turnOff;  // what to do on the game's Compatibility tab
};

constexpr char kReducedColour[] = "untick \"Reduced color mode\"";
constexpr char kHighDpi[] = "untick \"Override high DPI scaling behavior\" (under \"Change high DPI settings\")";
constexpr char kWindowsVersion[] = "untick \"Run this program in compatibility mode for\"";
constexpr char kOldWindows[] =
    "its fixes for programs of an older Windows may change the video modes the game sees and the window the "
    "plug-in arranges";
constexpr char kStretched[] = "Windows keeps the game DPI-unaware and stretches it on a scaled display, "
                              "whatever dpiaware asks";

const KnownLayer kKnownLayers[] = {
    {"640X480", Fight::NotSixForty,
     "Windows holds the screen at 640 x 480 while the game runs: no room for a larger window, and a full-screen "
     "mode of another size fails or is stretched",
     "untick \"Run in 640 x 480 screen resolution\""},
    {"256COLOR", Fight::DeeperThan8,
     "Windows drops the screen to 256 colours: the engine's windowed mode draws at the screen's depth and fails, "
     "and a deeper full-screen mode is emulated or refused",
     kReducedColour},
    {"16BITCOLOR", Fight::DeeperThan16,
     "Windows drops the screen to 16-bit colour, which today's Windows only emulates: slower, with banding, and no "
     "true-colour mode for the game",
     kReducedColour},
    {"DWM8And16BitMitigation", Fight::AnyMode,
     "Windows emulates 8- and 16-bit colour for the game through the desktop: slower, with banding, and the modes "
     "the game sees may be faked",
     "untick \"Reduced color mode\" (Windows adds this layer with it)"},
    {"DXMaximizedWindowedMode", Fight::FullScreen,
     "Windows runs an exclusive full-screen mode as a maximised window of the desktop's size instead (the size asked "
     "for is never set)",
     "tick \"Disable fullscreen optimizations\""},
    {"DISABLEDXMAXIMIZEDWINDOWEDMODE", Fight::None, nullptr, nullptr},
    {"HIGHDPIAWARE", Fight::DpiAware,
     "Windows makes the game DPI-aware for the main monitor's scale before the plug-in can: dpiaware cannot make "
     "it per-monitor aware, so on a monitor scaled otherwise the window is stretched",
     kHighDpi},
    {"DPIUNAWARE", Fight::DpiAware, kStretched, kHighDpi},
    {"GDIDPISCALING", Fight::DpiAware, kStretched, kHighDpi},
    {"WIN95", Fight::AnyMode, kOldWindows, kWindowsVersion},
    {"WIN98", Fight::AnyMode, kOldWindows, kWindowsVersion},
    {"NT4SP5", Fight::AnyMode, kOldWindows, kWindowsVersion},
    {"WIN2000", Fight::AnyMode, kOldWindows, kWindowsVersion},
    {"WINXPSP2", Fight::AnyMode, kOldWindows, kWindowsVersion},
    {"WINXPSP3", Fight::AnyMode, kOldWindows, kWindowsVersion},
    {"VISTARTM", Fight::AnyMode, kOldWindows, kWindowsVersion},
    {"VISTASP1", Fight::AnyMode, kOldWindows, kWindowsVersion},
    {"VISTASP2", Fight::AnyMode, kOldWindows, kWindowsVersion},
    {"WIN7RTM", Fight::AnyMode, kOldWindows, kWindowsVersion},
    {"WIN8RTM", Fight::AnyMode, kOldWindows, kWindowsVersion},
};
constexpr size_t kKnownLayerCount = sizeof(kKnownLayers) / sizeof(kKnownLayers[0]);
static_assert(kKnownLayerCount <= 32, "one bit each for the layers already explained");

bool IsSeparator(char c) { return c == ' ' || c == '\t'; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(const char* name, const char* token, size_t length) {
    if (strlen(name) != length) return false;
    for (size_t i = 0; i < length; ++i) {
        if (Upper(name[i]) != Upper(token[i])) return false;
    }
    return true;
}

// The next layer in force from text on: its start and length; false at the end.
bool NextLayerInForce(const char*& text, const char** start, size_t* length) {
    for (;;) {
        while (IsSeparator(*text)) ++text;
        if (*text == '\0') return false;
        const char* token = text;
        while (*text != '\0' && !IsSeparator(*text)) ++text;
        while (token < text && *token == '~') ++token;  // the "~" Windows puts before its list is no layer
        if (token == text || *token == '!') continue;   // "!NAME": that layer turned off
        *start = token;
        *length = static_cast<size_t>(text - token);
        return true;
    }
}

// The setting in force that the layer fights, as the log names it; null when none.
const char* SettingFought(Fight fight, const SettingsRecord& record, char* shown, size_t size) {
    const ModeRequest& mode = record.dispora.request;
    const bool windowed = record.dispora.given && mode.windowed;
    const bool fullScreen = record.dispora.given && !mode.windowed && RequestHasSize(mode);
    bool fought = false;
    switch (fight) {
        case Fight::None: break;
        case Fight::AnyMode: fought = windowed || fullScreen; break;
        case Fight::NotSixForty: fought = windowed || (fullScreen && (mode.width != 640 || mode.height != 480)); break;
        case Fight::DeeperThan8: fought = windowed || (fullScreen && (mode.depth == 0 || mode.depth > 8)); break;
        case Fight::DeeperThan16: fought = windowed || (fullScreen && (mode.depth == 0 || mode.depth > 16)); break;
        case Fight::FullScreen: fought = fullScreen; break;
        case Fight::DpiAware: return record.dpiAware ? "dpiaware=yes" : nullptr;
    }
    if (!fought) return nullptr;
    if (windowed) return "dispora=windowed";
    FormatBounded(shown, size, mode.depth != 0 ? "dispora=%dx%dx%d" : "dispora=%dx%d", mode.width, mode.height,
                  mode.depth);
    return shown;
}

void ExplainFight(const KnownLayer& layer, const char* setting, ExplanationSink say) {
    char line[768];  // the longest explanation, with room to spare
    FormatBounded(line, sizeof(line), "compatibility layer %s fights %s: %s", layer.name, setting, layer.breaks);
    say(line);
    FormatBounded(line, sizeof(line),
                  "to turn %s off: %s on the Compatibility tab of the game's Properties (and under \"Change settings "
                  "for all users\"), or take it out of the game's value in HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE"
                  "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers",
                  layer.name, layer.turnOff);
    say(line);
}

}  // namespace

void ExplainCompatLayers(const char* value, const SettingsRecord& record, ExplanationSink say) {
    if (value == nullptr) return;
    char names[512] = "Windows compatibility layers in force:";
    size_t used = strlen(names);
    const char* text = value;
    const char* start = nullptr;
    size_t length = 0;
    while (NextLayerInForce(text, &start, &length)) {
        if (used + 1 + length + 4 >= sizeof(names)) {  // the rest cut off; each known one is still explained
            memcpy(names + used, " ...", 5);
            break;
        }
        names[used++] = ' ';
        memcpy(names + used, start, length);
        used += length;
        names[used] = '\0';
    }
    if (start == nullptr) return;
    say(names);
    uint32_t explained = 0;
    char shown[48];
    text = value;
    while (NextLayerInForce(text, &start, &length)) {
        for (size_t i = 0; i < kKnownLayerCount; ++i) {
            const KnownLayer& layer = kKnownLayers[i];
            if (!SameName(layer.name, start, length) || (explained & (1u << i)) != 0) continue;
            explained |= 1u << i;
            if (const char* setting = SettingFought(layer.fight, record, shown, sizeof(shown))) {
                ExplainFight(layer, setting, say);
            }
        }
    }
}
