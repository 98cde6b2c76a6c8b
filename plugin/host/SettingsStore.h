#pragma once
// The plug-in's settings live in the host profile as integers under "plugins\vexol". Nothing is
// cached: every read asks the host again.
#include "engine/PluginSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace host {

// Library-wide key prefix: empty until the main window is first created.
void setKeyPrefix(std::u16string_view prefix);
const std::u16string& keyPrefix();

// prefix + "\" (when the prefix is not empty) + section + "/" + name.
std::u16string profileKey(std::u16string_view section, std::u16string_view name);

int32_t profileGetInt(std::u16string_view section, std::u16string_view name, int32_t defaultValue);
bool profileSetInt(std::u16string_view section, std::u16string_view name, int32_t value);

PluginSettings readPluginSettings();

} // namespace host
