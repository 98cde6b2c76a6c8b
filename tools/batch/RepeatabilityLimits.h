#pragma once
// The acceptance limit for two parallel determinations, per component: the relative difference
// (in percent of their mean) that the two may show at most. A limit comes from the limits file
// by the component's name, else from the one limit given for every component, else there is none.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class RepeatabilityLimits {
public:
    struct Entry {
        std::u16string name;   // trimmed
        double percent = 0;
    };

    void setDefault(std::optional<double> percent) { default_ = percent; }
    // Adds a named limit; false when the name (compared as peaks are matched to components,
    // without regard to case) is there already.
    bool add(std::u16string_view name, double percent);

    // The limit for a component of this name.
    std::optional<double> limitFor(std::u16string_view componentName) const;

    // The named limits that no component of `componentNames` takes up: most likely a misspelt
    // name, whose component then runs under the common limit or none.
    std::vector<std::u16string> unusedNames(const std::vector<std::u16string>& componentNames) const;

private:
    std::optional<double> default_;
    std::vector<Entry> entries_;
};

// A limit as the command line or the file gives it: a finite, non-negative number with a point
// (or a comma) as the decimal separator; nothing else around it but white space.
std::optional<double> parsePercent(std::string_view text);

// Reads the limits file text (UTF-8, lines "name,percent", fields quoted as in CSV when they hold
// a comma or a quote). A first line "name,percent" is a header; empty lines are skipped. On a
// fault `error` says where and what, and the limits are not to be used.
bool readRepeatabilityLimits(std::string_view text, RepeatabilityLimits& limits, std::string& error);
