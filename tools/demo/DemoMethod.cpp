#include "DemoMethod.h"

#include "platform/Format.h"

#include <algorithm>

const std::vector<DemoCompound>& DemoMethod::compounds()
{
    // Retention on the polar column (channel 1) and the non-polar one (channel 2) differ in order,
    // as they do on a real FFAP / DB-1 pair. Ethanol, the matrix, is named by the host but not
    // calculated; methyl acetate is missing from the sample.
    static const std::vector<DemoCompound> list = {
        {u"Ацетальдегид", u"Уксусный альдегид", 3.214, 2.108, 3, 1, 10, 61.0, 0.98, {2, 8, 20}, 3.4},
        {u"Метилацетат", u"-", 3.902, 3.047, 3, 1, 10, 70.5, 1.02, {1, 4, 10}, 0},
        {u"Этилацетат", u"-", 4.618, 4.253, 3, 0, 10, 82.3, 0.99, {2, 8, 20}, 6.1},
        {u"Метанол", u"Метиловый спирт", 5.407, 2.752, 3, 2, 10, 38.7, 1.01, {50, 200, 500}, 118},
        {u"2-Пропанол", u"Изопропанол", 6.113, 3.598, 3, 1, 10, 77.9, 1.02, {1, 4, 10}, 2.2},
        {u"1-Пропанол", u"-", 8.236, 5.104, 3, 0, 10, 84.6, 0.98, {2, 8, 20}, 5.3},
        {u"Изобутанол", u"2-Метил-1-пропанол", 9.318, 6.297, 3, 1, 10, 93.2, 1.00, {2, 8, 20}, 9.7},
        {u"Изоамилол", u"Изоамиловый спирт", 11.524, 8.412, 3, 1, 10, 101.8, 0.975, {5, 20, 50}, 14.2},
        {u"Этанол", u"-", 5.862, 2.413, 3, 1, 0, 0, 1.0, {0, 0, 0}, 0, false},
    };
    return list;
}

const std::vector<DemoRun>& DemoMethod::runs()
{
    static const std::vector<DemoRun> list = {
        {u"cal_level1_run1.stg", u"Градуировочный раствор, уровень 1", u"Смесь ЛВП-1", true, 0, 0},
        {u"cal_level1_run2.stg", u"Градуировочный раствор, уровень 1", u"Смесь ЛВП-1", true, 0, 1},
        {u"cal_level2_run1.stg", u"Градуировочный раствор, уровень 2", u"Смесь ЛВП-2", true, 1, 0},
        {u"cal_level2_run2.stg", u"Градуировочный раствор, уровень 2", u"Смесь ЛВП-2", true, 1, 1},
        {u"cal_level3_run1.stg", u"Градуировочный раствор, уровень 3", u"Смесь ЛВП-3", true, 2, 0},
        {u"cal_level3_run2.stg", u"Градуировочный раствор, уровень 3", u"Смесь ЛВП-3", true, 2, 1},
        {u"sample_run1.stg", u"Водка «Пшеничная», партия 112", u"", false, -1, 0},
        {u"sample_run2.stg", u"Водка «Пшеничная», партия 112", u"", false, -1, 1},
    };
    return list;
}

DemoPlan DemoPlan::builtIn()
{
    DemoPlan plan;
    plan.compounds = DemoMethod::compounds();
    plan.runs = DemoMethod::runs();
    plan.impurities[0] = {{7.05, 240}, {10.21, 410}, {12.63, 170}};
    plan.impurities[1] = {{4.71, 310}, {7.18, 190}, {9.34, 260}};
    plan.driftRun = DemoMethod::driftRun;
    plan.driftCompound = DemoMethod::driftCompound;
    plan.deviationRun = DemoMethod::deviationRun;
    plan.deviationCompound = DemoMethod::deviationCompound;
    return plan;
}

namespace {

constexpr int scaledLevels = 16;

} // namespace

DemoPlan DemoPlan::scaled(const DemoScale& scale)
{
    const DemoPlan demo = builtIn();
    int tableCompounds = 0;
    for (const DemoCompound& compound : demo.compounds)
        tableCompounds += compound.inTable ? 1 : 0;
    const int assays = scale.assays > 0 ? scale.assays : static_cast<int>(demo.runs.size());
    const int components = scale.components > 0 ? scale.components : tableCompounds;
    const int peaks = std::max(scale.peaks > 0 ? scale.peaks : components + 3, components);

    DemoPlan plan;
    plan.runMinutes = std::max(14.0, 0.06 * peaks);
    // Little scatter, so that only --warn-all makes the channels disagree beyond the 5 % allowed.
    plan.areaScatter = 0.002;
    // The peaks sit on evenly spaced slots; compound k takes slot (k + 1/2)·peaks/components on
    // channel 1 and the mirrored slot on channel 2, so the two columns elute in opposite order.
    auto slotTime = [&](int slot) { return 1.0 + (plan.runMinutes - 2.0) * (slot + 0.5) / peaks; };
    auto slotOf = [&](int k) { return static_cast<int>((k + 0.5) * peaks / components); };
    std::vector<bool> taken1(static_cast<std::size_t>(peaks)), taken2(static_cast<std::size_t>(peaks));
    for (int k = 0; k < components; ++k) {
        DemoCompound compound;
        compound.name = platform::format(u"Компонент %03d", {k + 1});
        compound.altName = u"-";
        const int slot1 = slotOf(k), slot2 = slotOf(components - 1 - k);
        taken1[static_cast<std::size_t>(slot1)] = true;
        taken2[static_cast<std::size_t>(slot2)] = true;
        compound.time1 = slotTime(slot1);
        compound.time2 = slotTime(slot2);
        compound.window = 3;
        compound.mainChannel = k % 4 == 3 ? 0 : 1;
        compound.deviation = 5;
        compound.response = 40.0 + (k * 37) % 90;
        compound.response2Ratio = scale.warnAll ? 1.10 : 1.0;
        const double base = 0.5 * (1 + k % 7);
        for (int level = 0; level < scaledLevels; ++level)
            compound.levels.push_back(base * (level + 1));
        compound.sample = base * 5.5;
        plan.compounds.push_back(std::move(compound));
    }
    for (int slot = 0; slot < peaks; ++slot) {
        const double area = 150.0 + (slot * 53) % 400;
        if (!taken1[static_cast<std::size_t>(slot)])
            plan.impurities[0].emplace_back(slotTime(slot), area);
        if (!taken2[static_cast<std::size_t>(slot)])
            plan.impurities[1].emplace_back(slotTime(slot), area);
    }

    const int calibrationRuns = std::max(assays - 2, 0);
    for (int r = 0; r < calibrationRuns; ++r) {
        const int level = r % scaledLevels, repeat = r / scaledLevels;
        DemoRun run;
        run.fileName = platform::format(u"cal_level%02d_run%d.stg", {level + 1, repeat + 1});
        run.sample = platform::format(u"Градуировочный раствор, уровень %d", {level + 1});
        run.mixture = platform::format(u"Смесь ЛВП-%d", {level + 1});
        run.calibration = true;
        run.level = level;
        run.repeat = repeat;
        plan.runs.push_back(std::move(run));
    }
    for (int r = 0; r < assays - calibrationRuns; ++r) {
        DemoRun run;
        run.fileName = platform::format(u"sample_run%d.stg", {r + 1});
        run.sample = u"Водка «Пшеничная», партия 112";
        run.level = -1;
        run.repeat = r;
        plan.runs.push_back(std::move(run));
    }
    return plan;
}
