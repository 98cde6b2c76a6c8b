// vantrel-import: brings AIA/ANDI chromatography files into the host as assays. See importUsage()
// for the command line and the exit codes.
#include "AndiImporter.h"
#include "ImportArguments.h"
#include "ImportReport.h"

#include "input/SqlException.h"
#include "platform/FileSeam.h"
#include "platform/Text.h"

#include <clocale>
#include <exception>
#include <iostream>

namespace {

bool writeJson(const std::string& target, const std::string& text)
{
    if (target == "-") {
        std::cout << text;
        std::cout.flush();
        if (!std::cout)
            std::cerr << "vantrel-import: cannot write the JSON to standard output\n";
        return static_cast<bool>(std::cout);
    }
    // Whole or not at all, so that a laboratory system never reads half an account.
    platform::FileError error;
    if (!platform::writeFileAtomically(platform::utf8ToUtf16(target), text, error)) {
        std::cerr << "vantrel-import: " << error.messageUtf8() << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // Behave like the host, which runs in the user's locale; nothing written depends on it.
    std::setlocale(LC_ALL, "");
    try {
        ImportArgumentsParse parse = parseImportArguments(std::vector<std::string>(argv + 1, argv + argc));
        if (parse.arguments.help) {
            std::cout << importUsage();
            return ImportAllDone;
        }
        if (parse.arguments.version) {
            std::cout << "vantrel-import " << VEXOL_VERSION << '\n';
            return ImportAllDone;
        }
        if (!parse.error.empty()) {
            std::cerr << "vantrel-import: " << parse.error << "\n\n" << importUsage();
            return ImportBadArguments;
        }
        std::vector<ImportOutcome> outcomes;
        bool databaseFailed = false;
        try {
            AndiImporter importer(parse.arguments.options);
            outcomes = importer.importAll(parse.arguments.inputs);
            databaseFailed = importer.databaseFailed();
        } catch (const DataBase::SqlException& failure) {
            std::cerr << "vantrel-import: " << parse.arguments.options.database << ": database error: " << failure.message() << '\n';
            return ImportDatabaseError;
        }
        // With the JSON on standard output the summary lines would spoil it.
        std::ostream nowhere(nullptr);
        const bool jsonOnStdout = parse.arguments.json && *parse.arguments.json == "-";
        printImportOutcomes(outcomes, jsonOnStdout ? nowhere : std::cout, std::cerr);
        if (parse.arguments.json && !writeJson(*parse.arguments.json, importOutcomesJson(outcomes)))
            return ImportOutputError;
        if (databaseFailed)
            return ImportDatabaseError;
        for (const ImportOutcome& outcome : outcomes)
            if (!outcome.imported())
                return ImportSomeRefused;
        return ImportAllDone;
    } catch (const std::exception& failure) {
        std::cerr << "vantrel-import: " << failure.what() << '\n';
        return ImportDatabaseError;
    }
}
