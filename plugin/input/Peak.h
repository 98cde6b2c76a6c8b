#pragma once
// One peak of a chromatogram. The same record carries the peaks the host stores in its database
// and the items of the chromatogram file's per-channel peak tables; fields the database does not
// hold keep the defaults below.
#include <cstdint>
#include <string>

struct Peak {
    double front = 0;               // start of the peak on the time axis
    double back = 0;                // end of the peak
    double time = 0;                // retention time, minutes
    double area = 0;
    double height = 0;
    double concent = 0;             // concentration the host assigned
    std::u16string name;            // component name the host assigned; may be empty
    bool reference = false;         // reference-peak mark
    int32_t left = -1;              // host's left index of the peak
    int32_t right = -1;             // host's right index of the peak
    uint32_t flags = 0;             // host's peak flags
    double front_base_height = 0;   // baseline height at the start
    double back_base_height = 0;    // baseline height at the end
    double index = 0;               // host's index value of the peak
};
