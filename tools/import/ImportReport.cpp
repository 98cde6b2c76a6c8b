#include "ImportReport.h"

#include "JsonWriter.h"

#include <cmath>

namespace {

std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

} // namespace

void printImportOutcomes(const std::vector<ImportOutcome>& outcomes, std::ostream& out, std::ostream& errors)
{
    for (const ImportOutcome& outcome : outcomes) {
        for (const std::string& warning : outcome.warnings)
            errors << oneLine(outcome.input) << ": warning: " << oneLine(warning) << '\n';
        if (!outcome.imported()) {
            errors << oneLine(outcome.input) << ": " << oneLine(outcome.refusal) << '\n';
            continue;
        }
        out << oneLine(outcome.input) << ": assay " << *outcome.assayId;
        for (const ChannelOutcome& channel : outcome.channels)
            out << ", channel " << channel.number << ": " << channel.peakCount << " peaks ("
                << (channel.peakSource == "integrated" ? "integrated" : "peak table") << ')';
        out << '\n';
    }
}

std::string importOutcomesJson(const std::vector<ImportOutcome>& outcomes)
{
    JsonWriter json;
    json.beginArray();
    for (const ImportOutcome& outcome : outcomes) {
        json.beginObject();
        json.key("input");
        json.value(outcome.input);
        json.key("files");
        json.beginArray();
        for (const std::string& file : outcome.files)
            json.value(file);
        json.endArray();
        json.key("assayId");
        if (outcome.imported())
            json.value(static_cast<int64_t>(*outcome.assayId));
        else
            json.value(std::nan(""));  // the writer's null
        json.key("refusal");
        if (outcome.imported())
            json.value(std::nan(""));
        else
            json.value(outcome.refusal);
        json.key("channels");
        json.beginArray();
        for (const ChannelOutcome& channel : outcome.channels) {
            json.beginObject();
            json.key("channel");
            json.value(channel.number);
            json.key("peaks");
            json.value(static_cast<int64_t>(channel.peakCount));
            json.key("peakSource");
            json.value(channel.peakSource);
            json.endObject();
        }
        json.endArray();
        json.key("warnings");
        json.beginArray();
        for (const std::string& warning : outcome.warnings)
            json.value(warning);
        json.endArray();
        json.endObject();
    }
    json.endArray();
    return json.text() + "\n";
}
