#pragma once

#include "settings/settings.h"

// For a plug-in loaded before the host made its window: arm the choice, which
// is then made inside the host's own psSelectDevice. Without a dispora
// setting nothing is armed.
void DeferDisplayMode(const ModeSetting& dispora);
// Where psSelectDevice's call of RwEngineSetSubSystem lands instead.
int OnHostSetSubSystem(int subSystemIndex);
