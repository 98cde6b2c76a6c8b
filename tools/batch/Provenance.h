#pragma once
// Which inputs produced a result and with what software: every file read with its size and
// SHA-256, the versions of the libraries that computed and rendered it, the command line and the
// moment the run started. A result can then be traced back to, and reproduced from, its inputs.
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct InputFile {
    std::string role;                  // "database", "chromatogram", "components", "limits", "template"
    std::string path;                  // absolute
    std::optional<uint64_t> bytes;     // none when the file could not be read when hashed
    std::optional<std::string> sha256; // lower-case hexadecimal
};

struct Provenance {
    std::vector<InputFile> inputs;
    std::vector<std::pair<std::string, std::string>> versions;   // component, version
    std::vector<std::string> commandLine;
    std::string startedAt;                                       // ISO 8601, UTC
};

// Reads the regular file at `path` through the file seam and fills its size and digest; leaves
// both empty when it cannot be read whole (missing, not a regular file, a read error).
InputFile fingerprintFile(std::string role, std::string path);

// The SHA-256 of `bytes`, lower-case hexadecimal (OpenSSL's libcrypto does the hashing).
std::string sha256Hex(std::string_view bytes);

// "2026-12-10T12:01:30Z".
std::string isoUtcTime(std::time_t time);

// dvinar and the libraries it runs on, as loaded at run time where the library says so.
std::vector<std::pair<std::string, std::string>> softwareVersions();
