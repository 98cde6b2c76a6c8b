#pragma once
// A free-form named value of the passport, such as the sample volume ("volume").
#include <string>

struct PassportParameter {
    std::u16string name;
    std::u16string title;
    std::u16string value;

    bool operator==(const PassportParameter&) const = default;
};
