// vexol-demo-data: writes the built-in demo into a folder, for minihost and the plug-in to run on.
//   vexol-demo-data [--reset] FOLDER   (see demoUsage())
// The host database and the chromatograms are written afresh every time. The component table and
// the plug-in's settings in minihost's profile ("<folder>/profile.txt") are only written where
// missing, so the analyst's changes survive a restart; --reset writes them again.
#include "DemoDataWriter.h"
#include "DemoOptions.h"
#include "DvinarInstallation.h"
#include "ProfileStore.h"

#include "platform/Text.h"

#include <QDir>
#include <QString>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The settings the demo needs to show its warnings: windows in percent, deviation control on.
bool writeProfile(const QString& path, bool reset)
{
    ProfileStore profile(path);
    const struct {
        const char* key;
        int value;
    } settings[] = {{"plugins\\vexol\\Settings/unitMode", 0},
                    {"plugins\\vexol\\Settings/devControl", 1},
                    {"plugins\\vexol\\Settings/hideNotFound", 0}};
    for (const auto& setting : settings) {
        int present = 0;
        if (!reset && profile.getInt(QString::fromUtf8(setting.key), &present))
            continue;
        if (!profile.setInt(QString::fromUtf8(setting.key), setting.value))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const DemoArgumentsParse parse = parseDemoArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (parse.options.help) {
        std::fputs(demoUsage(), stdout);
        return 0;
    }
    if (parse.options.version) {
        std::printf("vexol-demo-data %s\n", DVINAR_VERSION);
        return 0;
    }
    if (!parse.error.empty()) {
        std::fprintf(stderr, "vexol-demo-data: %s\n\n%s", parse.error.c_str(), demoUsage());
        return 1;
    }
    const QString folder = QDir(QString::fromStdString(parse.options.folder)).absolutePath();
    const bool reset = parse.options.reset;
    const std::u16string folder16 = folder.toStdU16String();
    std::u16string error;
    DemoScale scale;
    scale.assays = parse.options.assays;
    scale.components = parse.options.components;
    scale.peaks = parse.options.peaks;
    scale.warnAll = parse.options.warnAll;
    const DemoPlan plan = scale.any() ? DemoPlan::scaled(scale) : DemoPlan::builtIn();
    if (!DemoDataWriter::write(folder16, plan, reset, error)) {
        std::fprintf(stderr, "vexol-demo-data: %s\n", platform::utf16ToUtf8(error).c_str());
        return 1;
    }
    if (!writeProfile(folder + QStringLiteral("/profile.txt"), reset)) {
        std::fprintf(stderr, "vexol-demo-data: cannot write %s/profile.txt\n", folder.toUtf8().constData());
        return 1;
    }
    std::printf("%s\n", folder.toUtf8().constData());
    return 0;
}
