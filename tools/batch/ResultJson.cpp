#include "ResultJson.h"

#include "JsonWriter.h"

#include <string>

namespace {

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
        json.key("points");
        json.beginArray();
        for (const CalibrationPoint& point : row.points) {
            json.beginObject();
            json.key("concentration"); json.value(point.concentration);
            json.key("meanArea"); json.value(point.meanArea);
            json.key("measurements"); json.value(point.measurements);
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
}

void writeQuantitation(JsonWriter& json, const CalculationResult& result)
{
    json.key("quantitation");
    json.beginArray();
    for (const QuantitationRow& row : result.quantitation) {
        json.beginObject();
        json.key("name"); json.value(row.name);
        json.key("mainChannel"); json.value(row.mainChannel);
        json.key("concentration"); json.value(row.concentration);
        json.key("contributions"); json.value(row.contributions);
        json.key("valid"); json.value(row.valid);
        json.key("detected"); json.value(row.detected);
        json.endObject();
    }
    json.endArray();
}

void writeTexts(JsonWriter& json, const char* name, const std::vector<std::u16string>& texts)
{
    json.key(name);
    json.beginArray();
    for (const std::u16string& text : texts)
        json.value(text);
    json.endArray();
}

} // namespace

std::string resultJson(const AssayMap& assays, const std::map<int32_t, int32_t>& fileResults,
                       const CalculationResult& result, const MessageLog& log)
{
    JsonWriter json;
    json.beginObject();
    writeAssays(json, assays, fileResults);
    json.key("hasCalibration"); json.value(result.hasCalibration);
    writeIdentification(json, result);
    writeCalibration(json, result);
    writeQuantitation(json, result);
    json.key("messages");
    json.beginObject();
    writeTexts(json, "errors", log.errors());
    writeTexts(json, "warnings", log.warnings());
    writeTexts(json, "infos", log.infos());
    json.endObject();
    json.endObject();
    return json.text() + "\n";
}
