// Every program answers --help, --version and a wrong option on its own, before it touches a
// display or a file: each runs here in an empty folder that is also its home, with no display
// and no platform named, and the folder must still be empty afterwards.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
    std::vector<std::string> leftBehind;  // whatever the program created in its folder
};

std::string readWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ToolRun runTool(const std::string& program, const std::vector<std::string>& arguments)
{
    std::string pattern = (fs::temp_directory_path() / "vexol-tool-XXXXXX").string();
    const fs::path scratch = mkdtemp(pattern.data());
    const fs::path work = scratch / "work";
    fs::create_directory(work);
    const fs::path outPath = scratch / "out.txt";
    const fs::path errPath = scratch / "err.txt";

    const std::string binary = std::string(VEXOL_BIN_DIR) + "/" + program;
    std::vector<std::string> argv {binary};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    // A bare environment: no display, no platform, the scratch folder as home and config.
    std::vector<std::string> env {"HOME=" + work.string(), "XDG_CONFIG_HOME=" + work.string() + "/.config",
                                  "LC_ALL=ru_RU.UTF-8", "PATH=/usr/bin:/bin"};
    for (const char* keep : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})
        if (const char* value = std::getenv(keep))
            env.push_back(std::string(keep) + "=" + value);

    ToolRun run;
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(work.c_str()) != 0)
            _exit(126);
        std::vector<char*> args, vars;
        for (std::string& a : argv)
            args.push_back(a.data());
        args.push_back(nullptr);
        for (std::string& v : env)
            vars.push_back(v.data());
        vars.push_back(nullptr);
        execve(binary.c_str(), args.data(), vars.data());
        _exit(127);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child)
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = readWhole(outPath);
    run.err = readWhole(errPath);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(work))
        run.leftBehind.push_back(entry.path().lexically_relative(work).string());
    fs::remove_all(scratch);
    return run;
}

struct Case {
    std::string program;
    std::vector<std::string> arguments;
    int exitCode;
    std::string inOut;  // expected in standard output ("" for nothing expected)
    std::string inErr;  // expected in standard error
};

TEST(ToolCommandLine, HelpVersionAndWrongOptionsNeedNeitherDisplayNorFiles)
{
    const std::string version = std::string(" ") + DVINAR_TEST_VERSION + "\n";
    const Case cases[] = {
        {"minihost", {"--help"}, 0, "usage: minihost", ""},
        {"minihost", {"-h"}, 0, "--choose-assays <list>", ""},
        {"minihost", {"--version"}, 0, "minihost" + version, ""},
        {"minihost", {"-platform", "xcb", "--help"}, 0, "--plugins <dir>", ""},
        {"minihost", {"--bogus"}, 1, "", "usage: minihost"},
        {"minihost", {"stray"}, 1, "", "unexpected argument 'stray'"},
        {"minihost", {"--language", "English"}, 1, "", "bad language identifier"},
        {"minihost", {"--plugins"}, 1, "", "usage: minihost"},
        {"dvinar-batch", {"--help"}, 0, "usage: dvinar-batch", ""},
        {"dvinar-batch", {"--version"}, 0, "dvinar-batch" + version, ""},
        {"dvinar-batch", {"--bogus"}, 1, "", "usage: dvinar-batch"},
        {"vantrel-import", {"--help"}, 0, "usage: vantrel-import", ""},
        {"vantrel-import", {"--version"}, 0, "vantrel-import" + version, ""},
        {"vantrel-import", {"--bogus"}, 1, "", "usage: vantrel-import"},
        {"vexol-demo-data", {"--help"}, 0, "usage: vexol-demo-data", ""},
        {"vexol-demo-data", {"-h"}, 0, "usage: vexol-demo-data", ""},
        {"vexol-demo-data", {"--version"}, 0, "vexol-demo-data" + version, ""},
        {"vexol-demo-data", {"--bogus"}, 1, "", "unknown option '--bogus'"},
        {"vexol-demo-data", {"-x"}, 1, "", "usage: vexol-demo-data"},
        {"vexol-demo-data", {}, 1, "", "the output folder is missing"},
        {"vexol-demo-data", {"demo", "more"}, 1, "", "one output folder only"},
        {"vexol-demo-data", {"--reset=1", "demo"}, 1, "", "--reset takes no value"},
    };
    for (const Case& c : cases) {
        std::string line = c.program;
        for (const std::string& a : c.arguments)
            line += " " + a;
        SCOPED_TRACE(line);
        const ToolRun run = runTool(c.program, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        if (!c.inOut.empty()) {
            EXPECT_NE(run.out.find(c.inOut), std::string::npos) << run.out;
        }
        if (!c.inErr.empty()) {
            EXPECT_NE(run.err.find(c.inErr), std::string::npos) << run.err;
        }
        if (c.exitCode != 0) {
            EXPECT_EQ(run.out, "");
        }
        EXPECT_TRUE(run.leftBehind.empty()) << run.leftBehind.front();
    }
}

// The demo goes where it is told, and only there.
TEST(ToolCommandLine, DemoDataWritesIntoTheNamedFolderOnly)
{
    const ToolRun run = runTool("vexol-demo-data", {"demo"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> topLevel;
    for (const std::string& entry : run.leftBehind)
        if (entry.find('/') == std::string::npos)
            topLevel.push_back(entry);
    EXPECT_EQ(topLevel, std::vector<std::string> {"demo"});
    EXPECT_NE(std::find(run.leftBehind.begin(), run.leftBehind.end(), "demo/vantrel.db"), run.leftBehind.end());
    EXPECT_NE(std::find(run.leftBehind.begin(), run.leftBehind.end(), "demo/profile.txt"), run.leftBehind.end());
}

} // namespace
