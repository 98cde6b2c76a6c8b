// dvinar-batch: the calculation and the report without a window, for automation and laboratory
// systems. See batchUsage() for the command line and the exit codes.
#include "BatchOptions.h"
#include "BatchRun.h"
#include "DvinarInstallation.h"
#include "platform/InstalledData.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#include <clocale>
#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    // Behave like the host, which runs in the user's locale; nothing written depends on it.
    std::setlocale(LC_ALL, "");
    try {
        BatchArgumentsParse parse = parseBatchArguments(std::vector<std::string>(argv + 1, argv + argc));
        parse.options.commandLine.assign(argv, argv + argc);
        if (parse.options.help) {
            std::cout << batchUsage();
            return BatchSucceeded;
        }
        if (parse.options.version) {
            std::cout << "dvinar-batch " << DVINAR_VERSION << '\n';
            return BatchSucceeded;
        }
        if (!parse.error.empty()) {
            std::cerr << "dvinar-batch: " << parse.error << "\n\n" << batchUsage();
            return BatchBadArguments;
        }
        // An installed dvinar-batch puts the shipped template and component table in place on
        // its first run, as minihost does.
        const std::u16string dataFolder = platform::programFolder() + u"/" + platform::utf8ToUtf16(DVINAR_DATA_DIR_FROM_BIN);
        if (platform::folderExists(dataFolder))
            for (const std::u16string& failure :
                 platform::copyMissingInstalledData(dataFolder, platform::publicDocumentsFolder()).failures)
                std::cerr << "dvinar-batch: cannot put the shipped file in place: " << platform::utf16ToUtf8(failure) << '\n';
        return runBatch(parse.options, std::cout, std::cerr);
    } catch (const std::exception& failure) {
        std::cerr << "dvinar-batch: " << failure.what() << '\n';
        return BatchReportFailure;
    }
}
