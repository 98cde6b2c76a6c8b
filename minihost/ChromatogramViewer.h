#pragma once
// The host's chromatogram viewer: a window with every channel's signal, the peaks of the channel's
// peak table marked and named, and the peak tables beside it. Reads the file with the plug-in's
// own input layer, so that it shows what the plug-in reads.
#include "HostTexts.h"

#include <QWidget>

#include <cstdint>

class QTableWidget;

class ChromatogramViewer : public QWidget {
public:
    explicit ChromatogramViewer(const QString& path, int language = hostDefaultLanguage, QWidget* parent = nullptr);

    // 0 when the file was read, otherwise the file layer's code.
    int32_t loadResult() const { return loadResult_; }
    int channelCount() const { return channelCount_; }
    QTableWidget* peakTable() const { return peakTable_; }

private:
    int32_t loadResult_ = 0;
    int channelCount_ = 0;
    QTableWidget* peakTable_ = nullptr;
};
