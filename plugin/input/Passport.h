#pragma once
// Identity of a chromatogram run: who, what and how, as the host wrote it into the file.
#include "input/ColumnDescription.h"
#include "input/PassportParameter.h"

#include <cstdint>
#include <string>
#include <vector>

struct Passport {
    std::u16string filePath;  // where the object was last loaded from or saved to
    std::u16string assayid = u"00000000-0000-0000-0000-000000000000";
    std::u16string series;
    int64_t andate = 0;
    double duration = 0;
    std::u16string sample;
    std::u16string method;
    bool graduation = false;
    int64_t date = 0;
    bool defect = false;
    std::u16string mixture;
    std::vector<ColumnDescription> columns;
    std::vector<PassportParameter> parameters;

    bool operator==(const Passport&) const = default;
};
