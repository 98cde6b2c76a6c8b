#pragma once
// Writes the built-in demo into a folder: the host database "vantrel.db", the chromatogram files
// in "chromatograms/", and the component table below "public/Vantrel4/vexol/" (the folder that
// VANTREL_PUBLIC_DOCUMENTS names when minihost runs the demo). The profile is minihost's and is
// written by the program itself.
#include "DemoMethod.h"

#include <string>

class DemoDataWriter {
public:
    // The database and the chromatograms are made afresh every time; the component table is
    // written only when it is missing or `replaceTable` is set, so the analyst's edits survive.
    // False with a reason in `error` when something could not be written.
    static bool write(const std::u16string& folder, bool replaceTable, std::u16string& error);
    // The same for a plan of its own (DemoPlan::scaled, for instance).
    static bool write(const std::u16string& folder, const DemoPlan& plan, bool replaceTable, std::u16string& error);

    static std::u16string databasePath(const std::u16string& folder);
    static std::u16string chromatogramFolder(const std::u16string& folder);
    static std::u16string publicFolder(const std::u16string& folder);
    static std::u16string componentTablePath(const std::u16string& folder);

    // The calculation's first run happens on 2024-03-12 at 08:30 UTC; one run every 30 minutes.
    static constexpr long long firstRunDate = 1710232200;
    static constexpr long long runSpacing = 1800;
};
