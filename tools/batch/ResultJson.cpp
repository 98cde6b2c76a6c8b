#include "ResultJson.h"

#include "CalibrationQuality.h"
#include "JsonWriter.h"

#include <string>

namespace {

void optionalValue(JsonWriter& json, const std::optional<double>& number)
{
    if (number)
        json.value(*number);
    else
        json.null();
}

void writeAssays(JsonWriter& json, const AssayMap& assays, const std::map<int32_t, int32_t>& fileResults)
{
    json.key("assays");
    json.beginArray();
    for (const auto& [id, record] : assays) {
        json.beginObject();
        json.key("id"); json.value(id);
        json.key("fileName"); json.value(record.fileName);
        json.key("sample"); json.value(record.sample);
        json.key("mixture"); json.value(record.mixture);
        json.key("date"); json.value(record.date);
        json.key("isCalibration"); json.value(record.isCalibration);
        json.key("volume"); json.value(record.volume);
        auto fileResult = fileResults.find(id);
        json.key("fileResult"); json.value(fileResult == fileResults.end() ? 0 : fileResult->second);
        json.key("peakCount"); json.value(static_cast<int64_t>(record.peaks.size()));
        json.key("channels");
        json.beginObject();
        for (const auto& [channel, peaks] : record.channelPeaks) {
            json.key(std::to_string(channel));
            json.value(static_cast<int64_t>(peaks.size()));
        }
        json.endObject();
        json.endObject();
    }
    json.endArray();
}

void writeIdentification(JsonWriter& json, const CalculationResult& result)
{
    json.key("identification");
    json.beginObject();
    for (const auto& [id, rows] : result.identification) {
        json.key(std::to_string(id));
        json.beginArray();
        for (const IdentificationRow& row : rows) {
            json.beginObject();
            json.key("name"); json.value(row.name);
            json.key("mainChannel"); json.value(row.mainChannel);
            json.key("refTime1"); json.value(row.refTime1);
            json.key("peakTime1"); json.value(row.peakTime1);
            json.key("found1"); json.value(row.found1);
            json.key("refTime2"); json.value(row.refTime2);
            json.key("peakTime2"); json.value(row.peakTime2);
            json.key("found2"); json.value(row.found2);
            json.key("area"); json.value(row.area);
            json.key("concentration"); json.value(row.concentration);
            json.key("identified"); json.value(row.identified);
            json.endObject();
        }
        json.endArray();
    }
    json.endObject();
}

void writeCalibration(JsonWriter& json, const CalculationResult& result)
{
    json.key("calibration");
    json.beginArray();
    for (const CalibrationRow& row : result.calibration) {
        json.beginObject();
        json.key("name"); json.value(row.name);
        json.key("mainChannel"); json.value(row.mainChannel);
        json.key("k0"); json.value(row.k0);
        json.key("k1"); json.value(row.k1);
        json.key("k1Origin"); json.value(row.k1Origin);
        json.key("pointCount"); json.value(row.pointCount);
        json.key("fitted"); json.value(row.fitted);
        const CalibrationQuality quality = calibrationQuality(row);
        json.key("r2"); optionalValue(json, quality.r2);
        json.key("residualSd"); optionalValue(json, quality.residualSd);
        json.key("points");
        json.beginArray();
        for (std::size_t p = 0; p < row.points.size(); ++p) {
            const CalibrationPoint& point = row.points[p];
            json.beginObject();
            json.key("concentration"); json.value(point.concentration);
            json.key("meanArea"); json.value(point.meanArea);
            json.key("measurements"); json.value(point.measurements);
            json.key("relativeResidual"); optionalValue(json, quality.relativeResiduals[p]);
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
}

void writeParallel(JsonWriter& json, const ParallelRuns& runs)
{
    json.key("parallel");
    json.beginObject();
    json.key("values");
    json.beginArray();
    for (double value : runs.values)
        json.value(value);
    json.endArray();
    json.key("relativeDifference"); optionalValue(json, runs.relativeDifference);
    json.key("limit"); optionalValue(json, runs.limit);
    json.key("accepted");
    if (runs.accepted)
        json.value(*runs.accepted);
    else
        json.null();
    json.endObject();
}

void writeQuantitation(JsonWriter& json, const CalculationResult& result, const std::vector<ParallelRuns>& parallel)
{
    json.key("quantitation");
    json.beginArray();
    for (std::size_t q = 0; q < result.quantitation.size(); ++q) {
        const QuantitationRow& row = result.quantitation[q];
        json.beginObject();
        json.key("name"); json.value(row.name);
        json.key("mainChannel"); json.value(row.mainChannel);
        json.key("concentration"); json.value(row.concentration);
        json.key("contributions"); json.value(row.contributions);
        json.key("valid"); json.value(row.valid);
        json.key("detected"); json.value(row.detected);
        writeParallel(json, q < parallel.size() ? parallel[q] : ParallelRuns());
        json.endObject();
    }
    json.endArray();
}

void writeTexts(JsonWriter& json, const char* name, const MessageList& texts)
{
    json.key(name);
    json.beginArray();
    for (std::u16string_view text : texts)
        json.value(text);
    json.endArray();
}

void writeProvenance(JsonWriter& json, const Provenance& provenance)
{
    json.key("provenance");
    json.beginObject();
    json.key("inputs");
    json.beginArray();
    for (const InputFile& input : provenance.inputs) {
        json.beginObject();
        json.key("role"); json.value(input.role);
        json.key("path"); json.value(input.path);
        json.key("bytes");
        if (input.bytes)
            json.value(static_cast<int64_t>(*input.bytes));
        else
            json.null();
        json.key("sha256");
        if (input.sha256)
            json.value(*input.sha256);
        else
            json.null();
        json.endObject();
    }
    json.endArray();
    json.key("versions");
    json.beginObject();
    for (const auto& [name, version] : provenance.versions) {
        json.key(name);
        json.value(version);
    }
    json.endObject();
    json.key("commandLine");
    json.beginArray();
    for (const std::string& argument : provenance.commandLine)
        json.value(argument);
    json.endArray();
    json.key("startedAt"); json.value(provenance.startedAt);
    json.endObject();
}

} // namespace

std::string resultJson(const AssayMap& assays, const std::map<int32_t, int32_t>& fileResults,
                       const CalculationResult& result, const MessageLog& log, const ResultEvidence& evidence)
{
    JsonWriter json;
    json.beginObject();
    writeAssays(json, assays, fileResults);
    json.key("hasCalibration"); json.value(result.hasCalibration);
    writeIdentification(json, result);
    writeCalibration(json, result);
    writeQuantitation(json, result, evidence.parallel);
    json.key("messages");
    json.beginObject();
    writeTexts(json, "errors", log.errors());
    writeTexts(json, "warnings", log.warnings());
    writeTexts(json, "infos", log.infos());
    json.endObject();
    if (evidence.provenance)
        writeProvenance(json, *evidence.provenance);
    json.endObject();
    return json.text() + "\n";
}
