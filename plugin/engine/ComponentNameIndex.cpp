#include "engine/ComponentNameIndex.h"

#include "engine/NameKey.h"
#include "platform/Text.h"

ComponentNameIndex::ComponentNameIndex(const ComponentList& components)
{
    std::u16string key;
    for (std::size_t i = 0; i < components.size(); ++i) {
        const Component& c = components[i];
        // The name is compared as it stands: one with blanks around it never equals a trimmed
        // peak name, and so is never hit.
        if (!c.name.empty()) {
            foldNameKey(c.name, key);
            add(key, static_cast<int32_t>(i));
        }
        std::u16string_view alt = platform::trimWhite(c.altName);
        if (!alt.empty() && alt != u"-") {
            foldNameKey(alt, key);
            add(key, static_cast<int32_t>(i));
        }
    }
}

void ComponentNameIndex::add(const std::u16string& key, int32_t component)
{
    std::vector<int32_t>& list = byKey_[key];
    if (list.empty() || list.back() != component)
        list.push_back(component);
}

std::span<const int32_t> ComponentNameIndex::componentsNamed(std::u16string_view foldedKey) const
{
    auto found = byKey_.find(foldedKey);
    if (found == byKey_.end())
        return {};
    return found->second;
}
