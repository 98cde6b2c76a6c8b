#include "DemoMethod.h"

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
