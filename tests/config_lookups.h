// The settings store looked up by name, for the tests and the fuzzer: the
// plug-in itself reads every setting once, through the table in settings.h.
#pragma once

#include "settings/config.h"
#include "settings/setting_values.h"

struct ConfigInspection {
    static bool HasFileText(const Config& config) { return config.fileRead; }
};

inline int Has(Config& config, const char* key) { return config.Find(key) != nullptr ? 1 : 0; }
inline const char* GetString(Config& config, const char* key) { return config.Find(key); }
inline int GetBool(Config& config, const char* key) { return IsTrue(ParseTruth(config.Find(key))) ? 1 : 0; }
// The file's text is held: it was read, and the store is not closed.
inline bool HasFileText(const Config& config) { return ConfigInspection::HasFileText(config); }
