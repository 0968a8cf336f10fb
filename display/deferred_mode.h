#pragma once

// For a plug-in loaded before the host made its window: arm the choice, which
// is then made inside the host's own psSelectDevice.
void DeferDisplayMode();
// Where psSelectDevice's call of RwEngineSetSubSystem lands instead.
int OnHostSetSubSystem(int subSystemIndex);
