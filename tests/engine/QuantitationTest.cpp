#include <gtest/gtest.h>

#include <clocale>

#include "TestWorkspace.h"
#include "engine/Calculation.h"
#include "engine/MessageLog.h"
#include "engine/RowPresentation.h"

namespace {

// Two calibration chromatograms that give A the line k1 = 0.01, k0 = 0.5 (areas 100 and 200 at
// concentrations 1.5 and 2.5), and B only one point (no line).
AssayMap calibratedWorkspace()
{
    AssayMap assays;
    assays[1] = calibrationAssay(u"c1.dat", {namedPeak(u"A", 5.0, 100, 1.5), namedPeak(u"B", 8.0, 10, 1)});
    assays[2] = calibrationAssay(u"c2.dat", {namedPeak(u"A", 5.0, 200, 2.5)});
    return assays;
}

ComponentList tableAB()
{
    return {component(u"A", 5, 5, 0, 5, 1, u"Альфа"), component(u"B", 8, 5)};
}

} // namespace

TEST(Quantitation, MeanOfBothAnalysisChromatograms)
{
    AssayMap assays = calibratedWorkspace();
    assays[10] = analysisAssay(u"a1.dat", {namedPeak(u"X", 1, 5), namedPeak(u"a", 5.1, 200), namedPeak(u"A", 6, 999)});
    assays[11] = analysisAssay(u"a2.dat", {namedPeak(u" альфа ", 5.0, 220)});  // by its alternative name
    MessageLog log;
    CalculationResult result = runCalculation(assays, tableAB(), PluginSettings(), log);
    ASSERT_EQ(result.quantitation.size(), 2u);
    const QuantitationRow& a = result.quantitation[0];
    EXPECT_EQ(a.name, u"A");
    EXPECT_TRUE(a.detected);
    EXPECT_TRUE(a.valid);
    EXPECT_EQ(a.contributions, 2);
    EXPECT_NEAR(a.concentration, 2.6, 1e-12);  // (2.5 + 2.7) / 2, only the first peak of each
    EXPECT_EQ(quantitationStatusText(a), u"Идентифицирован");
    EXPECT_EQ(quantitationConcentrationText(a), u"2.600");

    const QuantitationRow& b = result.quantitation[1];
    EXPECT_FALSE(b.detected);
    EXPECT_FALSE(b.valid);
    EXPECT_EQ(quantitationStatusText(b), u"Не подтверждён");
    EXPECT_EQ(quantitationConcentrationText(b), u"не обнаружено");
    EXPECT_TRUE(log.errors().empty());
    EXPECT_TRUE(result.identificationOf(10).empty());
}

TEST(Quantitation, OneContributionAndUnfittedCalibration)
{
    AssayMap assays = calibratedWorkspace();
    assays[10] = analysisAssay(u"a1.dat", {namedPeak(u"A", 5, 300), namedPeak(u"B", 8, 50)});
    assays[11] = analysisAssay(u"a2.dat", {});
    MessageLog log;
    CalculationResult result = runCalculation(assays, tableAB(), PluginSettings(), log);
    EXPECT_EQ(result.quantitation[0].contributions, 1);
    EXPECT_NEAR(result.quantitation[0].concentration, 3.5, 1e-12);
    const QuantitationRow& b = result.quantitation[1];
    EXPECT_TRUE(b.detected);
    EXPECT_FALSE(b.valid);
    EXPECT_EQ(b.concentration, 0);
    EXPECT_EQ(quantitationStatusText(b), u"Идентифицирован");
    EXPECT_EQ(quantitationConcentrationText(b), u"---");
}

TEST(Quantitation, NeedsExactlyTwoAnalysisChromatograms)
{
    AssayMap assays = calibratedWorkspace();
    for (int id = 10; id < 13; ++id)
        assays[id] = analysisAssay(u"a.dat", {namedPeak(u"A", 5, 300)});
    MessageLog log;
    CalculationResult result = runCalculation(assays, tableAB(), PluginSettings(), log);
    EXPECT_TRUE(result.quantitation.empty());
    EXPECT_EQ(log.errors(), std::vector<std::u16string>{u"Для расчета требуется 2 аналитические хроматограммы, загружено 3."});
    EXPECT_EQ(result.calibration.size(), 2u);
    EXPECT_EQ(result.identification.size(), 2u);
    EXPECT_TRUE(result.calibration[0].fitted);
}

TEST(Quantitation, EmptyTableWithTwoAnalysisChromatograms)
{
    AssayMap assays;
    assays[1] = analysisAssay(u"a1.dat", {namedPeak(u"A", 5)});
    assays[2] = analysisAssay(u"a2.dat", {namedPeak(u"A", 5)});
    MessageLog log;
    CalculationResult result = runCalculation(assays, {}, PluginSettings(), log);
    EXPECT_TRUE(result.quantitation.empty());
    EXPECT_EQ(log.errors().size(), 1u);  // only the calibration count
}

TEST(RowPresentation, ConcentrationWithAPointInADecimalCommaLocale)
{
    ASSERT_STREQ(std::localeconv()->decimal_point, ",") << "the test runs without a decimal-comma locale";
    QuantitationRow row;
    row.detected = row.valid = true;
    row.concentration = 1234.5678;
    EXPECT_EQ(quantitationConcentrationText(row), u"1234.568");
}

TEST(RowPresentation, IdentificationStatus)
{
    IdentificationRow row;
    EXPECT_EQ(identificationStatusText(row), u"Не подтверждён");
    row.identified = true;
    EXPECT_EQ(identificationStatusText(row), u"Идентифицирован");
}

TEST(RowPresentation, TimesAndTheirPlaceholders)
{
    // A peak time shows only when a peak was found, whatever the number; a reference time only
    // when it is above zero.
    EXPECT_EQ(foundTimeText(true, 3.14159), u"3.142");
    EXPECT_EQ(foundTimeText(true, 0.0), u"0.000");
    EXPECT_EQ(foundTimeText(false, 3.14159), u"---");
    EXPECT_EQ(referenceTimeText(12.3456), u"12.346");
    EXPECT_EQ(referenceTimeText(0.0), u"-");
    EXPECT_EQ(referenceTimeText(-1.5), u"-");
}
