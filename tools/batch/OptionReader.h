#pragma once
// The command-line options of the tools, read the same way in each: "--name value",
// "--name=value" and flags without a value, from a table of names.
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tools {

struct OptionTable {
    // An option with a value; the handler answers false for a value it cannot use.
    std::map<std::string, std::function<bool(const std::string&)>> valued;
    std::map<std::string, bool*> flags;
};

// Reads the option at arguments[i], moving i past a value taken from the next argument. Returns
// the error text, or an empty text when the option was read. `unknownWord` names what an unknown
// name is called in the message ("option" or "argument").
std::string readOption(const OptionTable& table, const std::vector<std::string>& arguments,
                       std::size_t& i, const std::string& unknownWord = "option");

} // namespace tools
