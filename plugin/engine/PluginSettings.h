#pragma once
// The three calculation and report settings, read afresh from the host profile whenever needed.
#include <cstdint>

struct PluginSettings {
    int32_t unitMode = 0;       // 1: search windows in minutes; any other value: percent of the reference time
    bool devControl = false;    // warn when the two channels' responses differ beyond a component's limit
    bool hideNotFound = false;  // leave undetected components out of the report
};
