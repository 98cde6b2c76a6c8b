#include "OptionReader.h"

#include <optional>

namespace tools {

std::string readOption(const OptionTable& table, const std::vector<std::string>& arguments,
                       std::size_t& i, const std::string& unknownWord)
{
    std::string name = arguments[i];
    std::optional<std::string> value;
    if (std::size_t equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
        value = name.substr(equals + 1);
        name.resize(equals);
    }
    if (auto flag = table.flags.find(name); flag != table.flags.end()) {
        if (value)
            return name + " takes no value";
        *flag->second = true;
        return {};
    }
    auto handler = table.valued.find(name);
    if (handler == table.valued.end())
        return "unknown " + unknownWord + " '" + arguments[i] + "'";
    if (!value) {
        if (i + 1 >= arguments.size())
            return name + " needs a value";
        value = arguments[++i];
    }
    if (!handler->second(*value))
        return "bad value '" + *value + "' for " + name;
    return {};
}

} // namespace tools
