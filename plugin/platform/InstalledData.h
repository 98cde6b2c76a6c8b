#pragma once
// The data an installation ships in its data folder (share/dvinar) and the analyst's copies of it
// below the public documents folder. A program that finds its installation copies what the
// public folder lacks when it starts, and never replaces what is there: the analyst's component
// table and any template of the laboratory's own stay as they are.
#include <string>
#include <vector>

namespace platform {

struct InstalledDataFile {
    const char* fileName;      // in the data folder
    const char* publicPath;    // below the public documents folder, from "/"
};

// The report template and the sample component table.
const std::vector<InstalledDataFile>& installedDataFiles();

struct InstalledDataCopy {
    std::vector<std::u16string> copied;    // public paths written now
    std::vector<std::u16string> failures;  // one line each: what could not be copied and why
};

// Copies every file of `dataFolder` listed above that `publicFolder` lacks. Files the data folder
// lacks are skipped. A copy gets its name only once it is whole and synced, and only while no file
// has that name, so a file in the public folder is either whole or absent, and never replaced.
InstalledDataCopy copyMissingInstalledData(const std::u16string& dataFolder, const std::u16string& publicFolder);

// The folder of the running program, from /proc/self/exe; empty when it cannot be read.
std::u16string programFolder();

} // namespace platform
