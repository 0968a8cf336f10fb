#include "display/display_menu.h"

#include <string.h>

#include "core/host_changes.h"
#include "core/host_contract.h"
#include "core/log.h"

namespace {

struct MenuWatch {
    bool watched;
    NamedMenuMode named;
};
MenuWatch menuWatch;

}  // namespace

const char* MenuModeName(int32_t mode) {
    if (mode <= 0 || mode >= host::RwEngineGetNumVideoModes()) return nullptr;
    const char** names = host::_RwGetVideoModeList();
    return names != nullptr ? names[mode] : nullptr;
}

NamedMenuMode NamedFullScreenMode(int32_t gamesOwn) {
    NamedMenuMode named = {};
    named.index = -1;  // none named yet
    const int modeCount = host::RwEngineGetNumVideoModes();
    for (int32_t mode = MenuModeName(gamesOwn) != nullptr ? gamesOwn : 1; mode < modeCount; ++mode) {
        if (const char* name = MenuModeName(mode)) {
            named.index = mode;
            strncpy(named.name, name, sizeof(named.name) - 1);
            break;
        }
    }
    return named;
}

void WatchDisplayMenu(const NamedMenuMode& named) { menuWatch = {named.index >= 0, named}; }

void NameDisplayMenuMode() {
    const MenuWatch& watch = menuWatch;
    if (!watch.watched) return;
    const int32_t menuMode = HostInt(hostAddresses.savedModeIndex);
    const int32_t prefsMode = HostInt(HostPrefsModeAddress());
    if (menuMode != kWindowedMode && prefsMode != kWindowedMode) return;
    // The game's own values from now on: no undo may put the windowed mode back.
    if (menuMode == kWindowedMode) SetKeptHostInt(hostAddresses.savedModeIndex, watch.named.index);
    if (prefsMode == kWindowedMode) SetKeptHostInt(HostPrefsModeAddress(), watch.named.index);
    LogMessage("the display menu's mode was the windowed mode %d, which the game's list does not name: mode %d (%s) "
               "put in its place\n", kWindowedMode, watch.named.index, watch.named.name);
}
