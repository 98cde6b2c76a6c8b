#include "host/SettingsStore.h"

#include "host/HostBus.h"

namespace host {

namespace {
std::u16string& prefixStorage()
{
    static std::u16string prefix;
    return prefix;
}
} // namespace

void setKeyPrefix(std::u16string_view prefix) { prefixStorage() = prefix; }
const std::u16string& keyPrefix() { return prefixStorage(); }

std::u16string profileKey(std::u16string_view section, std::u16string_view name)
{
    std::u16string key = keyPrefix();
    if (!key.empty())
        key += u'\\';
    key += section;
    key += u'/';
    key += name;
    return key;
}

int32_t profileGetInt(std::u16string_view section, std::u16string_view name, int32_t defaultValue)
{
    if (!hasCommand("Profile/GetInt"))
        return defaultValue;
    std::u16string key = profileKey(section, name);
    int32_t value = defaultValue;
    if (callCommand("Profile/GetInt", reinterpret_cast<intptr_t>(key.c_str()), reinterpret_cast<intptr_t>(&value)) == 0)
        return defaultValue;
    return value;
}

bool profileSetInt(std::u16string_view section, std::u16string_view name, int32_t value)
{
    if (!hasCommand("Profile/SetInt"))
        return false;
    std::u16string key = profileKey(section, name);
    int32_t stored = value;
    return callCommand("Profile/SetInt", reinterpret_cast<intptr_t>(key.c_str()), reinterpret_cast<intptr_t>(&stored)) != 0;
}

PluginSettings readPluginSettings()
{
    PluginSettings settings;
    settings.unitMode = profileGetInt(u"Settings", u"unitMode", 0);
    settings.devControl = profileGetInt(u"Settings", u"devControl", 0) != 0;
    settings.hideNotFound = profileGetInt(u"Settings", u"hideNotFound", 0) != 0;
    return settings;
}

} // namespace host
