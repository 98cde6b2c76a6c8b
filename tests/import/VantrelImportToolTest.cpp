// vantrel-import as the analyst runs it: options, exit codes, the lines on stderr, --json; and the
// whole road from ANDI exports to concentrations through dvinar-batch.
#include "AndiTestFile.h"
#include "engine/ComponentTable.h"

#include "platform/NumberParse.h"
#include "platform/Text.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a program of the build in `folder` (as its working folder) under the decimal-comma locale.
ProgramRun run(const std::string& folder, const std::string& program, const std::string& arguments)
{
    const std::string out = folder + "/../" + fs::path(folder).filename().string() + ".out";
    const std::string err = folder + "/../" + fs::path(folder).filename().string() + ".err";
    const std::string command = "cd '" + folder + "' && LC_ALL=ru_RU.UTF-8 '" + VEXOL_BIN_DIR + "/" + program + "' " + arguments
        + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    ProgramRun result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = slurp(out);
    result.err = slurp(err);
    return result;
}

AndiTestFile namedRun(const std::string& sample, const std::vector<double>& areas, const std::vector<double>& amounts)
{
    AndiTestFile f;
    f.times = {120, 240, 300};                     // seconds: 2, 4 and 5 minutes
    f.areas = areas;
    f.amounts = amounts;
    f.names = std::vector<std::string>{"Benzene", "Toluene", ""};
    f.signal.assign(50, 1.0);
    f.text["sample_name"] = sample;
    return f;
}

TEST(VantrelImportTool, HelpVersionAndBadArguments)
{
    const std::string folder = testFolder("tool-arguments");
    ProgramRun help = run(folder, "vantrel-import", "--db new.db --help in.cdf");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: vantrel-import --db FILE", 0), 0u) << help.out;
    EXPECT_TRUE(fs::is_empty(folder)) << "--help touched the file system";

    ProgramRun version = run(folder, "vantrel-import", "--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("vantrel-import ", 0), 0u);

    struct Case {
        const char* arguments;
        const char* message;
    };
    const Case cases[] = {
        {"--db x.db --frobnicate in.cdf", "unknown option '--frobnicate'"},
        {"in.cdf", "--db is required"},
        {"--db x.db", "no INPUT given"},
        {"--db x.db --min-height abc in.cdf", "bad value 'abc' for --min-height"},
        {"--db x.db --baseline sideways in.cdf", "bad value 'sideways' for --baseline"},
        {"--db x.db --calibration=yes in.cdf", "--calibration takes no value"},
        {"--db", "--db needs a value"},
    };
    for (const Case& c : cases) {
        ProgramRun bad = run(folder, "vantrel-import", c.arguments);
        EXPECT_EQ(bad.exitCode, 1) << c.arguments;
        EXPECT_NE(bad.err.find(c.message), std::string::npos) << c.arguments << "\n" << bad.err;
        EXPECT_NE(bad.err.find("usage: vantrel-import"), std::string::npos) << c.arguments;
    }
    EXPECT_TRUE(fs::is_empty(folder)) << "bad arguments touched the file system";
}

TEST(VantrelImportTool, ExitCodesRefusalLinesAndJson)
{
    const std::string folder = testFolder("tool-outcomes");
    namedRun("Good", {100, 50, 10}, {1, 1, 0}).write(folder + "/good.cdf");
    std::ofstream(folder + "/bad.cdf") << "plain text";

    ProgramRun all = run(folder, "vantrel-import", "--db host.db good.cdf");
    EXPECT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out, "good.cdf: assay 1, channel 1: 3 peaks (peak table)\n");
    EXPECT_EQ(all.err, "");

    ProgramRun some = run(folder, "vantrel-import", "--db host.db --json out.json good.cdf bad.cdf missing.cdf");
    EXPECT_EQ(some.exitCode, 4);
    EXPECT_EQ(some.err, "bad.cdf: not a netCDF file\nmissing.cdf: file not found\n");
    const std::string json = slurp(folder + "/out.json");
    EXPECT_NE(json.find(R"({"input":"good.cdf","files":["good.cdf"],"assayId":2,"refusal":null,"channels":[{"channel":1,"peaks":3,"peakSource":"peak-table"}],"warnings":[]})"),
              std::string::npos) << json;
    EXPECT_NE(json.find(R"({"input":"bad.cdf","files":["bad.cdf"],"assayId":null,"refusal":"not a netCDF file","channels":[],"warnings":[]})"),
              std::string::npos) << json;

    ProgramRun toStdout = run(folder, "vantrel-import", "--db host.db --json - good.cdf");
    EXPECT_EQ(toStdout.exitCode, 0);
    EXPECT_EQ(toStdout.out.front(), '[');
    EXPECT_EQ(toStdout.out.find("assay 3,"), std::string::npos) << "summary lines mixed into the JSON";

    // The import stands even when its account cannot be written.
    ProgramRun noJson = run(folder, "vantrel-import", "--db host.db --json no/such/folder/out.json good.cdf");
    EXPECT_EQ(noJson.exitCode, 3);
    EXPECT_NE(noJson.err.find("no/such/folder/out.json"), std::string::npos) << noJson.err;
    EXPECT_NE(noJson.out.find("assay 4,"), std::string::npos) << noJson.out;

    fs::create_directory(folder + "/folder.db");
    ProgramRun database = run(folder, "vantrel-import", "--db folder.db good.cdf");
    EXPECT_EQ(database.exitCode, 2);
    EXPECT_NE(database.err.find("database error"), std::string::npos) << database.err;
}

// Calibration at two levels and two analysis runs, from ANDI files to concentrations.
TEST(VantrelImportTool, ImportedRunsGiveTheirConcentrationsInDvinarBatch)
{
    const std::string folder = testFolder("end-to-end");
    // Benzene answers 100 area units per mg/dm3, toluene 40.
    namedRun("Standard 1", {100, 40, 7}, {1, 1, 0}).write(folder + "/cal1.cdf");
    namedRun("Standard 2", {300, 120, 7}, {3, 3, 0}).write(folder + "/cal2.cdf");
    namedRun("Sample", {150, 100, 9}, {0, 0, 0}).write(folder + "/sample-a.cdf");
    namedRun("Sample", {170, 96, 9}, {0, 0, 0}).write(folder + "/sample-b.cdf");

    ProgramRun calibration = run(folder, "vantrel-import", "--db host.db --calibration --mixture 'Mix A' cal1.cdf cal2.cdf");
    ASSERT_EQ(calibration.exitCode, 0) << calibration.err;
    ProgramRun analysis = run(folder, "vantrel-import", "--db host.db sample-a.cdf sample-b.cdf");
    ASSERT_EQ(analysis.exitCode, 0) << analysis.err;

    ComponentList components(2);
    components[0].number = 1;
    components[0].name = u"Benzene";
    components[0].altName = u"-";
    components[0].time1 = 2.0;
    components[0].window1 = 5;
    components[1] = components[0];
    components[1].number = 2;
    components[1].name = u"Toluene";
    components[1].time1 = 4.0;
    ASSERT_TRUE(ComponentTable::save(platform::utf8ToUtf16(folder + "/components.csv"), components));

    ProgramRun batch = run(folder, "dvinar-batch", "--db host.db --ids 1,2,3,4 --components components.csv --json result.json");
    ASSERT_EQ(batch.exitCode, 0) << batch.err;
    const std::string json = slurp(folder + "/result.json");
    // Mean of k1 · area + k0 over the two runs: (1.5 + 1.7) / 2 and (2.5 + 2.4) / 2.
    for (const auto& [name, expected] : {std::pair<std::string, double>{"Benzene", 1.6}, {"Toluene", 2.45}}) {
        const std::size_t quantitation = json.find("\"quantitation\"");
        ASSERT_NE(quantitation, std::string::npos) << json;
        const std::size_t row = json.find("\"name\":\"" + name + "\"", quantitation);
        ASSERT_NE(row, std::string::npos) << json;
        const std::size_t value = json.find("\"concentration\":", row);
        ASSERT_NE(value, std::string::npos);
        const double concentration = platform::strtodC(json.c_str() + value + 16);
        EXPECT_NEAR(concentration, expected, 1e-6) << name << "\n" << json;
    }
}

} // namespace
