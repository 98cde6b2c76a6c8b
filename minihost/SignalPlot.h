#pragma once
// One channel of a chromatogram drawn as a curve over its time axis, with every peak of the
// channel's peak table marked at its retention time and labelled with its name.
#include "input/Channel.h"

#include <QString>
#include <QWidget>

#include <vector>

class SignalPlot : public QWidget {
public:
    // `duration`: the run's length in minutes; 0 when the file does not say.
    // `caption`: the channel's name above the curve.
    SignalPlot(const Channel& channel, double duration, const QString& caption, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override { return {320, 160}; }
    QSize sizeHint() const override { return {640, 260}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double sampleAt(double time) const;

    QString caption_;
    std::vector<double> samples_;
    std::vector<Peak> peaks_;
    double timeSpan_ = 1;  // minutes from the first to the last sample
};
