#include "HostAssayData.h"

#include "input/CVantrelFile4.h"
#include "input/HostSchema.h"

#include <sqlite3.h>

#include <cmath>
#include <stdexcept>

namespace {

Peak peak(std::u16string name, double time, double area, double height)
{
    Peak p;
    p.name = std::move(name);
    p.time = time;
    p.area = area;
    p.height = height;
    return p;
}

// Baseline, drift and a Gaussian per peak, sampled over `duration` minutes.
Channel channel(int32_t number, double duration, const std::vector<Peak>& peaks)
{
    Channel result;
    result.number = number;
    result.peaks = peaks;
    const int count = 1200;
    for (int i = 0; i < count; ++i) {
        const double time = duration * i / (count - 1);
        double value = 1000 + 30 * time;
        for (const Peak& p : peaks)
            value += p.height * std::exp(-std::pow(time - p.time, 2) / (2 * 0.04 * 0.04));
        result.signal.samples.push_back(static_cast<uint32_t>(value));
    }
    return result;
}

} // namespace

HostAssayData::HostAssayData()
{
    if (!dir_.isValid() || sqlite3_open(databasePath().toUtf8().constData(), &database_) != SQLITE_OK)
        throw std::runtime_error("no host database");
    HostSchema::create(database_);
}

HostAssayData::~HostAssayData()
{
    sqlite3_close(database_);
}

QString HostAssayData::writeChromatogram(const QString& name) const
{
    CVantrelFile4 file;
    file.passport.duration = 8;
    file.channels.push_back(channel(1, 8, {peak(u"Бензол", 2.1, 1520.5, 4200), peak(u"Толуол", 3.75, 980.26, 2600),
                                           peak(u"", 5.2, 120, 500)}));
    file.channels.push_back(channel(2, 8, {peak(u"Бензол", 2.4, 760, 2100), peak(u"Толуол", 4.05, 455.5, 1200),
                                           peak(u"Ксилол", 6.3, 300, 900)}));
    const QString path = filePath(name);
    if (file.save(path.toStdU16String()) != 0)
        throw std::runtime_error("chromatogram not written");
    return path;
}

int32_t HostAssayData::addAssay(const QString& fileName, const QString& sample, bool isCalibration,
                                bool isDeleted, bool isHidden)
{
    HostAssayRow row;
    row.fileName = fileName.toStdU16String();
    row.sample = sample.toStdU16String();
    row.mixture = u"Смесь 1";
    row.date = 1733742000;
    row.isCalibration = isCalibration;
    row.isDeleted = isDeleted;
    row.isHidden = isHidden;
    return static_cast<int32_t>(HostSchema::insertAssay(database_, row));
}
