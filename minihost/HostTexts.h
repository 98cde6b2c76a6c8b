#pragma once
// The texts of minihost's own windows and dialogs, in the host's language: English for 1033,
// Russian (the host's own language) for every other identifier.
#include <QString>

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
