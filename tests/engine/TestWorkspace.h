#pragma once
// Small workspaces built in code for the calculation tests.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/Component.h"
#include "input/AssayRecord.h"

inline Peak namedPeak(std::u16string name, double time, double area = 100, double concent = 0,
                      double front = 0, double back = 0)
{
    Peak p;
    p.name = std::move(name);
    p.time = time;
    p.area = area;
    p.concent = concent;
    p.front = front;
    p.back = back;
    return p;
}

inline Component component(std::u16string name, double time1, double window1 = 5, double time2 = 0,
                           double window2 = 5, int32_t mainChannel = 1, std::u16string altName = u"-")
{
    Component c;
    c.number = 1;
    c.name = std::move(name);
    c.altName = std::move(altName);
    c.time1 = time1;
    c.window1 = window1;
    c.time2 = time2;
    c.window2 = window2;
    c.mainChannel = mainChannel;
    return c;
}

inline AssayRecord calibrationAssay(std::u16string fileName, PeakList channel1, PeakList channel2 = {},
                                    bool withChannel2 = true)
{
    AssayRecord a;
    a.fileName = std::move(fileName);
    a.isCalibration = true;
    a.channelPeaks[1] = std::move(channel1);
    if (withChannel2)
        a.channelPeaks[2] = std::move(channel2);
    return a;
}

inline AssayRecord analysisAssay(std::u16string fileName, PeakList databasePeaks)
{
    AssayRecord a;
    a.fileName = std::move(fileName);
    a.peaks = std::move(databasePeaks);
    return a;
}
