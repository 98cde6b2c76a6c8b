#include "CsvFields.h"

bool splitCsvRecords(std::string_view text, CsvRecords& records, std::string& error)
{
    std::size_t line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        CsvRecord record;
        record.line = line;
        for (;;) {
            std::string field;
            // Blanks around a quoted field are forgiven: hand-typed files have them.
            std::size_t start = i;
            while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
                ++start;
            if (start < text.size() && text[start] == '"') {
                i = start;
                const std::size_t openedOn = line;
                ++i;
                for (;;) {
                    if (i >= text.size()) {
                        error = "line " + std::to_string(openedOn) + ": a quoted field is never closed";
                        return false;
                    }
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == '\n')
                        ++line;
                    field += text[i++];
                }
                while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
                    ++i;
                if (i < text.size() && text[i] != ',' && text[i] != '\n' &&
                    !(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') &&
                    !(text[i] == '\r' && i + 1 == text.size())) {
                    error = "line " + std::to_string(line) + ": text after the closing quote of a field";
                    return false;
                }
            } else {
                while (i < text.size() && text[i] != ',' && text[i] != '\n')
                    field += text[i++];
                if (!field.empty() && field.back() == '\r' && (i >= text.size() || text[i] == '\n'))
                    field.pop_back();
            }
            record.fields.push_back(std::move(field));
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            if (i < text.size() && text[i] == '\r')
                ++i;
            if (i < text.size() && text[i] == '\n') {
                ++i;
                ++line;
            }
            break;
        }
        records.push_back(std::move(record));
    }
    return true;
}

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}
