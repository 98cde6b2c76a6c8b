#pragma once
// Comma-separated text as RFC 4180 has it: a field holding a comma, a quote or a line break is
// enclosed in quotes, a quote inside doubled. Records end with CRLF when written; a bare LF is
// accepted when read.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct CsvRecord {
    std::size_t line = 0;              // where the record starts, from 1
    std::vector<std::string> fields;   // unquoted
};
using CsvRecords = std::vector<CsvRecord>;

// False, with `error` naming the line, for a quote that is never closed or text after a closing
// quote within the field. Blanks before an opening or after a closing quote are dropped.
bool splitCsvRecords(std::string_view text, CsvRecords& records, std::string& error);

// The field as it is written: quoted only when it needs to be.
std::string csvField(std::string_view text);
