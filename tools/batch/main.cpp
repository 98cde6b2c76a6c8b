// dvinar-batch: the calculation and the report without a window, for automation and laboratory
// systems. See batchUsage() for the command line and the exit codes.
#include "BatchOptions.h"
#include "BatchRun.h"

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
        if (!parse.error.empty()) {
            std::cerr << "dvinar-batch: " << parse.error << "\n\n" << batchUsage();
            return BatchBadArguments;
        }
        return runBatch(parse.options, std::cout, std::cerr);
    } catch (const std::exception& failure) {
        std::cerr << "dvinar-batch: " << failure.what() << '\n';
        return BatchReportFailure;
    }
}
