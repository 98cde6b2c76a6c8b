#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestWorkspace.h"
#include "engine/Calculation.h"
#include "engine/MessageLog.h"

namespace {
const double notANumber = std::numeric_limits<double>::quiet_NaN();
const double infinity = std::numeric_limits<double>::infinity();
}

TEST(BadInput, NonFiniteNumbersAndOddWindowsCompleteThePass)
{
    ComponentList components{component(u"A", notANumber, 5, infinity, 5, 0), component(u"B", 5, notANumber, 5, -infinity, 0),
                             component(u"C", 5, 0, 5, -2, 0), component(u"D", -infinity, infinity, 0, 0, 2),
                             component(std::u16string(70000, u'Ж'), 5, 5, 5, 5, 0, std::u16string(5000, u' '))};
    components[1].deviation = notANumber;
    components[2].deviation = infinity;
    PeakList odd{namedPeak(u"A", notANumber, notANumber, notANumber, notANumber, notANumber), namedPeak(u"B", infinity, infinity, infinity, -infinity, infinity),
                 namedPeak(u"C", 5, -infinity, 1, 5, 4), namedPeak(u"D", 5, 1e308, 1e308),
                 namedPeak(std::u16string(70000, u'ж'), 5, 1e-320, 2, 4.9, 5.1),
                 namedPeak(u"A", 5, 100, 1, 4.9, 5.1), namedPeak(u"B", 5, 100, 1, 5, 5)};
    AssayMap assays;
    for (int id = 0; id < 4; ++id)
        assays[id] = calibrationAssay(u"c.dat", odd, odd);
    assays[10] = analysisAssay(u"a.dat", odd);
    assays[11] = analysisAssay(u"b.dat", odd);
    PluginSettings settings;
    settings.devControl = true;
    for (int unitMode : {0, 1, -7}) {
        settings.unitMode = unitMode;
        MessageLog log;
        CalculationResult result;
        ASSERT_NO_THROW(result = runCalculation(assays, components, settings, log));
        EXPECT_EQ(result.calibration.size(), components.size());
        EXPECT_EQ(result.quantitation.size(), components.size());
        EXPECT_EQ(result.identification.size(), 4u);
        // A zero or negative window accepts no peak.
        EXPECT_FALSE(result.identificationOf(0)[2].found1);
        EXPECT_FALSE(result.identificationOf(0)[2].found2);
    }
}

TEST(BadInput, EmptyTablesChannelsWithoutTablesAndManyAssays)
{
    AssayMap assays;
    for (int id = 0; id < 256; ++id) {
        AssayRecord a;
        a.fileName = u"/many/" + std::u16string(1, char16_t(u'a' + id % 26));
        a.isCalibration = id % 2 == 0;
        if (id % 3 == 0)
            a.channelPeaks[id] = {};               // an empty table
        else if (id % 3 == 1)
            a.channelPeaks[id] = {namedPeak(u"A", 5, 100, 1 + id % 4, 4.9, 5.1)};
        a.peaks = {namedPeak(u"A", 5, 100)};
        assays[id] = a;
    }
    MessageLog log;
    CalculationResult result = runCalculation(assays, {component(u"A", 5, 5, 5, 5, 0)}, PluginSettings(), log);
    EXPECT_EQ(result.identification.size(), 128u);
    EXPECT_TRUE(result.calibration[0].fitted == false || std::isfinite(result.calibration[0].k1));
    EXPECT_EQ(log.errors(), std::vector<std::u16string>{u"Для расчета требуется 2 аналитические хроматограммы, загружено 128."});
}
