#pragma once
// The generated workspaces the window benchmark runs on, written once into the build folder and
// reused by later runs (the demo generator is deterministic).
#include <string>

struct CapacityWorkspace {
    std::string folder;        // the demo folder: vantrel.db, chromatograms/, public/
    std::string database;
    std::string publicFolder;  // what VANTREL_PUBLIC_DOCUMENTS names
    int assays = 0;
};

// Writes (or finds) the workspace of 256 assays, 200 components and 1000 peaks on each channel;
// with `warnAll` channel 2 answers 10 % stronger, so every calibration run warns. Empty folder
// and the reason in `error` on failure.
CapacityWorkspace capacityWorkspace(bool warnAll, std::string& error);
