#include "DemoDataWriter.h"

#include "DemoChromatogram.h"
#include "DemoMethod.h"
#include "engine/ComponentTable.h"
#include "input/Connection.h"
#include "input/HostSchema.h"
#include "input/SqlException.h"
#include "platform/FileSeam.h"
#include "platform/Format.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#include <random>

namespace {

bool makeFolder(const std::u16string& path, std::u16string& error)
{
    platform::FileError failure;
    if (!platform::createFolders(path, 0777, failure)) {
        error = failure.message;
        return false;
    }
    return true;
}

ComponentList demoComponents(const DemoPlan& plan)
{
    ComponentList components;
    int number = 1;
    for (const DemoCompound& compound : plan.compounds) {
        if (!compound.inTable)
            continue;
        Component c;
        c.number = number++;
        c.name = compound.name;
        c.altName = compound.altName;
        c.time1 = compound.time1;
        c.window1 = compound.window;
        c.time2 = compound.time2;
        c.window2 = compound.window;
        c.mainChannel = compound.mainChannel;
        c.deviation = compound.deviation;
        components.push_back(c);
    }
    return components;
}

bool writeChromatogramsAndDatabase(const DemoPlan& plan, const std::u16string& folder, std::u16string& error)
{
    const std::u16string database = DemoDataWriter::databasePath(folder);
    for (const std::u16string& stale : {database, database + u"-journal"}) {
        platform::FileError failure;
        if (!platform::removeFile(stale, failure)) {
            error = failure.message;
            return false;
        }
    }

    DataBase::Connection connection(database.c_str());
    HostSchema::create(connection.handle());
    HostSchema::execute(connection.handle(), "BEGIN;");
    std::mt19937 random(20240312);
    const std::vector<DemoRun>& runs = plan.runs;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const long long date = DemoDataWriter::firstRunDate + static_cast<long long>(r) * DemoDataWriter::runSpacing;
        CVantrelFile4 file = DemoChromatogram::make(plan, static_cast<int>(r), date, random);
        const std::u16string path = DemoDataWriter::chromatogramFolder(folder) + u"/" + runs[r].fileName;
        if (int32_t result = file.save(path); result != 0) {
            error = platform::format(u"cannot write %s (code %d)", {path, result});
            return false;
        }
        HostAssayRow row;
        row.id = static_cast<int64_t>(r) + 1;
        row.fileName = path;
        row.sample = runs[r].sample;
        row.mixture = runs[r].mixture;
        row.date = date;
        row.isCalibration = runs[r].calibration;
        HostSchema::insertAssay(connection.handle(), row);
        // The host keeps the peaks it named on the first channel.
        for (const Peak& peak : file.channels.front().peaks)
            if (!peak.name.empty())
                HostSchema::insertPeak(connection.handle(), {row.id, peak.name, peak.time, peak.area});
    }
    HostSchema::execute(connection.handle(), "COMMIT;");
    return true;
}

} // namespace

std::u16string DemoDataWriter::databasePath(const std::u16string& folder)
{
    return folder + u"/vantrel.db";
}

std::u16string DemoDataWriter::chromatogramFolder(const std::u16string& folder)
{
    return folder + u"/chromatograms";
}

std::u16string DemoDataWriter::publicFolder(const std::u16string& folder)
{
    return folder + u"/public";
}

std::u16string DemoDataWriter::componentTablePath(const std::u16string& folder)
{
    return publicFolder(folder) + u"/Vantrel4/vexol/CompsTableVexol.csv";
}

bool DemoDataWriter::write(const std::u16string& folder, bool replaceTable, std::u16string& error)
{
    return write(folder, DemoPlan::builtIn(), replaceTable, error);
}

bool DemoDataWriter::write(const std::u16string& folder, const DemoPlan& plan, bool replaceTable,
                           std::u16string& error)
{
    const std::u16string tableFolder = publicFolder(folder) + u"/Vantrel4/vexol";
    if (!makeFolder(chromatogramFolder(folder), error) || !makeFolder(tableFolder, error))
        return false;
    try {
        if (!writeChromatogramsAndDatabase(plan, folder, error))
            return false;
    } catch (const DataBase::SqlException& e) {
        error = platform::format(u"host database: %s (code %d)", {e.what(), e.code()});
        return false;
    }
    const std::u16string table = componentTablePath(folder);
    if (replaceTable || !platform::fileExists(table)) {
        ComponentTableSaveError saveError;
        if (!ComponentTable::save(table, demoComponents(plan), &saveError)) {
            error = platform::format(u"cannot write the component table %s", {table});
            return false;
        }
    }
    return true;
}
