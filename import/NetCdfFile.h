#pragma once
// Read-only access to a netCDF classic file held in memory, in the terms an ANDI reader needs:
// variables as numbers or as rows of text, attributes as text or numbers whichever way the
// writer stored them. Nothing here throws; absent or unreadable items come back empty.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class NetCdfFile {
public:
    // Opens the image `data`, which must stay alive and unchanged while the object lives.
    // Empty with a reason in `error` when the bytes are no netCDF file.
    static std::unique_ptr<NetCdfFile> openMemory(const unsigned char* data, std::size_t size, std::string& error);
    ~NetCdfFile();
    NetCdfFile(const NetCdfFile&) = delete;
    NetCdfFile& operator=(const NetCdfFile&) = delete;

    bool hasVariable(const char* name) const;
    bool hasGlobal(const char* name) const;
    // Number of values of a variable (product of its dimensions; a scalar has one); empty when absent.
    std::optional<std::size_t> valueCount(const char* name) const;

    // Every value of a numeric variable, converted to double. False with a reason when the variable
    // is absent, is text, or cannot be read in full (a truncated file).
    bool readNumbers(const char* name, std::vector<double>& values, std::string& error) const;
    // A scalar variable (or the first value of one), else a global attribute of that name that
    // holds a number or text starting with one.
    std::optional<double> number(const char* name) const;
    // The rows of a two-dimensional text variable (rows × width), each cut at its first NUL.
    bool readTextRows(const char* name, std::vector<std::string>& rows, std::string& error) const;
    // The fill value that marks "no value" in a variable: its own _FillValue or the library's
    // default for its type.
    std::optional<double> fillValue(const char* name) const;

    // A global attribute as text, cut at its first NUL; a numeric attribute is written out.
    std::optional<std::string> globalText(const char* name) const;
    // A global attribute as a number: numeric attributes directly, text when it starts with one.
    std::optional<double> globalNumber(const char* name) const;

private:
    NetCdfFile(int id, std::size_t imageSize) : id_(id), imageSize_(imageSize) {}
    int variableId(const char* name) const;
    // False when the values a variable claims could not be held by the image at all.
    bool fitsImage(int variable, std::size_t count) const;

    int id_;
    std::size_t imageSize_;
};
