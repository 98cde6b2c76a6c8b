#pragma once
// The texts of minihost's own windows and dialogs, in the host's language: English for 1033,
// Russian (the host's own language) for every other identifier.
#include <QString>

#include <string>
#include <vector>

enum class HostText {
    MainWindowTitle,
    MainWindowNote,
    AssayDialogTitle,
    FileNameColumn,
    SampleColumn,
    MixtureColumn,
    DateColumn,
    TypeColumn,
    CalibrationType,
    AnalysisType,
    AssayCount,          // %1 assays, %2 database
    DatabaseUnreadable,  // %1 the reason
    OkButton,
    CancelButton,
    ViewerTitle,           // %1 file name
    ChromatogramUnreadable,  // %1 code, %2 path
    NoChannel,
    ChannelColumn,
    PeakNumberColumn,
    PeakNameColumn,
    TimeColumn,
    AreaColumn,
    HeightColumn,
    ChannelCaption,  // %1 channel number
};

constexpr int hostDefaultLanguage = 1049;

QString hostText(HostText text, int language);

// A refusal reason or warning of the AIA/ANDI importer, written in English as vantrel-import
// prints it, in the host's language. Paths, names and numbers inside it are kept as they are; a
// text without a translation stays English. A reason that begins with one of `files` and ": "
// (which file of a pair) keeps that file name and has the rest translated.
QString hostImportText(const std::string& english, int language, const std::vector<std::string>& files = {});
