#include "HostDataFolder.h"

#include "engine/ComponentTable.h"
#include "input/CVantrelFile4.h"
#include "input/HostSchema.h"
#include "platform/Text.h"

#include <sqlite3.h>

#include <cstdlib>
#include <stdexcept>
#include <system_error>

HostDataFolder::HostDataFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vexol-host-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("no temporary folder");
    root_ = pattern;
    if (const char* old = std::getenv("VANTREL_PUBLIC_DOCUMENTS"))
        savedDocuments_ = old;
    ::setenv("VANTREL_PUBLIC_DOCUMENTS", root_.c_str(), 1);
    if (sqlite3_open((root_ / "host.db").c_str(), &database_) != SQLITE_OK)
        throw std::runtime_error("no database");
    HostSchema::create(database_);
}

HostDataFolder::~HostDataFolder()
{
    sqlite3_close(database_);
    if (savedDocuments_)
        ::setenv("VANTREL_PUBLIC_DOCUMENTS", savedDocuments_->c_str(), 1);
    else
        ::unsetenv("VANTREL_PUBLIC_DOCUMENTS");
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::u16string HostDataFolder::databasePath() const
{
    return path16("host.db");
}

std::u16string HostDataFolder::path16(const std::string& name) const
{
    return platform::utf8ToUtf16((root_ / name).string());
}

int32_t HostDataFolder::addAssay(const std::string& fileName, const AssayDraft& draft)
{
    const std::u16string path = path16(fileName);
    if (draft.writeFile) {
        CVantrelFile4 file;
        for (const auto& [number, peaks] : draft.channels) {
            Channel channel;
            channel.number = number;
            channel.signal.samples = {0, 10, 40, 10, 0};
            channel.peaks = peaks;
            file.channels.push_back(std::move(channel));
        }
        if (file.save(path) != 0)
            throw std::runtime_error("chromatogram not written");
    }
    HostAssayRow row;
    row.fileName = path;
    row.sample = draft.sample;
    row.mixture = draft.mixture;
    row.date = 1700000000;
    row.isCalibration = draft.isCalibration;
    row.isDeleted = draft.isDeleted;
    row.isHidden = draft.isHidden;
    const auto id = static_cast<int32_t>(HostSchema::insertAssay(database_, row));
    for (const Peak& peak : draft.databasePeaks)
        HostSchema::insertPeak(database_, {id, peak.name, peak.time, peak.area});
    return id;
}

void HostDataFolder::writeComponents(const ComponentList& components)
{
    std::filesystem::create_directories(root_ / "Vantrel4" / "vexol");
    if (!ComponentTable::save(componentTablePath(), components))
        throw std::runtime_error("component table not written");
}

void HostDataFolder::execute(const char* sql)
{
    HostSchema::execute(database_, sql);
}

Peak peakAt(std::u16string name, double time, double area, double concent)
{
    Peak peak;
    peak.name = std::move(name);
    peak.time = time;
    peak.area = area;
    peak.concent = concent;
    return peak;
}

Component componentAt(std::u16string name, double time1, double time2)
{
    Component component;
    component.number = 1;
    component.name = std::move(name);
    component.altName = std::u16string(1, u'-');  // GCC 12 warns wrongly on a one-unit literal here
    component.time1 = time1;
    component.window1 = 10;
    component.time2 = time2;
    component.window2 = 10;
    component.mainChannel = 1;
    return component;
}
