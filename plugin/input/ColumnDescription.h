#pragma once
// One chromatographic column of the run, as the host describes it in the passport. The codes
// "type" and "unit" and the fractions are the host's; they are carried and written back unchanged.
#include <cstdint>
#include <string>

struct ColumnDescription {
    int32_t channel = 0;
    std::u16string name;
    std::u16string brand;
    int32_t type = 0;
    double diameter = 0;
    double length = 0;
    std::u16string carrier;
    std::u16string phase;
    double percent = 0;
    int32_t unit = 0;
    double fraction0 = 0;
    double fraction1 = 0;
    double film = 0;
    std::u16string part;
    std::u16string serial;

    bool operator==(const ColumnDescription&) const = default;
};
