#include "NetCdfFile.h"

#include "NetCdfHeaderCheck.h"

#include "platform/Format.h"
#include "platform/NumberParse.h"

#include <netcdf.h>
#include <netcdf_mem.h>

#include <cmath>
#include <cstring>

namespace {

std::string cutAtNul(const char* text, std::size_t length)
{
    std::size_t end = 0;
    while (end < length && text[end] != '\0')
        ++end;
    return std::string(text, end);
}

std::optional<double> leadingNumber(const std::string& text)
{
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    std::size_t consumed = 0;
    double value = platform::strtodC(text.c_str() + start, &consumed);
    if (consumed == 0)
        return std::nullopt;
    return value;
}

std::size_t typeSize(nc_type type)
{
    switch (type) {
    case NC_BYTE: case NC_CHAR: case NC_UBYTE: return 1;
    case NC_SHORT: case NC_USHORT: return 2;
    case NC_INT: case NC_UINT: case NC_FLOAT: return 4;
    default: return 8;
    }
}

} // namespace

std::unique_ptr<NetCdfFile> NetCdfFile::openMemory(const unsigned char* data, std::size_t size, std::string& error)
{
    if (size < 4 || std::memcmp(data, "CDF", 3) != 0) {
        // Only the classic formats are ANDI; anything else (HDF5 included) is not for us.
        error = "not a netCDF file";
        return nullptr;
    }
    if (!netCdfHeaderPlausible(data, size, error))
        return nullptr;
    int id = -1;
    // Opened read-only, the library reads the image in place and never writes to it.
    int status = nc_open_mem("andi", NC_NOWRITE, size, const_cast<unsigned char*>(data), &id);
    if (status != NC_NOERR) {
        error = std::string("not a readable netCDF file (") + nc_strerror(status) + ")";
        return nullptr;
    }
    return std::unique_ptr<NetCdfFile>(new NetCdfFile(id, size));
}

NetCdfFile::~NetCdfFile()
{
    nc_close(id_);
}

int NetCdfFile::variableId(const char* name) const
{
    int variable = -1;
    if (nc_inq_varid(id_, name, &variable) != NC_NOERR)
        return -1;
    return variable;
}

bool NetCdfFile::hasVariable(const char* name) const
{
    return variableId(name) >= 0;
}

bool NetCdfFile::hasGlobal(const char* name) const
{
    int attribute = -1;
    return nc_inq_attid(id_, NC_GLOBAL, name, &attribute) == NC_NOERR;
}

std::optional<std::size_t> NetCdfFile::valueCount(const char* name) const
{
    int variable = variableId(name);
    if (variable < 0)
        return std::nullopt;
    int dimensionCount = 0;
    if (nc_inq_varndims(id_, variable, &dimensionCount) != NC_NOERR || dimensionCount < 0 || dimensionCount > NC_MAX_VAR_DIMS)
        return std::nullopt;
    int dimensions[NC_MAX_VAR_DIMS];
    if (nc_inq_vardimid(id_, variable, dimensions) != NC_NOERR)
        return std::nullopt;
    std::size_t count = 1;
    for (int d = 0; d < dimensionCount; ++d) {
        std::size_t length = 0;
        if (nc_inq_dimlen(id_, dimensions[d], &length) != NC_NOERR)
            return std::nullopt;
        if (length != 0 && count > SIZE_MAX / length)
            return std::nullopt;
        count *= length;
    }
    return count;
}

bool NetCdfFile::fitsImage(int variable, std::size_t count) const
{
    nc_type type = NC_NAT;
    if (nc_inq_vartype(id_, variable, &type) != NC_NOERR)
        return false;
    return count <= imageSize_ / typeSize(type);
}

bool NetCdfFile::readNumbers(const char* name, std::vector<double>& values, std::string& error) const
{
    values.clear();
    int variable = variableId(name);
    std::optional<std::size_t> count = valueCount(name);
    if (variable < 0 || !count) {
        error = platform::format8("\"%s\" is missing", {name});
        return false;
    }
    nc_type type = NC_NAT;
    nc_inq_vartype(id_, variable, &type);
    if (type == NC_CHAR || type == NC_STRING) {
        error = platform::format8("\"%s\" holds text instead of numbers", {name});
        return false;
    }
    if (!fitsImage(variable, *count)) {
        error = platform::format8("\"%s\" is cut short: the file is truncated", {name});
        return false;
    }
    if (*count == 0)
        return true;
    values.resize(*count);
    int status = nc_get_var_double(id_, variable, values.data());
    if (status != NC_NOERR && status != NC_ERANGE) {
        values.clear();
        error = platform::format8("\"%s\" cannot be read, the file may be truncated (%s)", {name, nc_strerror(status)});
        return false;
    }
    return true;
}

std::optional<double> NetCdfFile::number(const char* name) const
{
    int variable = variableId(name);
    if (variable >= 0) {
        nc_type type = NC_NAT;
        nc_inq_vartype(id_, variable, &type);
        std::optional<std::size_t> count = valueCount(name);
        if (type == NC_CHAR && count && *count > 0 && fitsImage(variable, *count)) {
            std::string text(*count, '\0');
            if (nc_get_var_text(id_, variable, text.data()) == NC_NOERR)
                return leadingNumber(cutAtNul(text.data(), text.size()));
        } else if (type != NC_CHAR && type != NC_STRING && count && *count > 0) {
            std::size_t start[NC_MAX_VAR_DIMS] = {};
            double value = 0;
            int status = nc_get_var1_double(id_, variable, start, &value);
            if (status == NC_NOERR || status == NC_ERANGE)
                return value;
        }
    }
    return globalNumber(name);
}

bool NetCdfFile::readTextRows(const char* name, std::vector<std::string>& rows, std::string& error) const
{
    rows.clear();
    int variable = variableId(name);
    if (variable < 0) {
        error = platform::format8("\"%s\" is missing", {name});
        return false;
    }
    nc_type type = NC_NAT;
    int dimensionCount = 0;
    nc_inq_vartype(id_, variable, &type);
    nc_inq_varndims(id_, variable, &dimensionCount);
    if (type != NC_CHAR || dimensionCount != 2) {
        error = platform::format8("\"%s\" is not a list of texts", {name});
        return false;
    }
    int dimensions[2];
    std::size_t rowCount = 0;
    std::size_t width = 0;
    nc_inq_vardimid(id_, variable, dimensions);
    if (nc_inq_dimlen(id_, dimensions[0], &rowCount) != NC_NOERR || nc_inq_dimlen(id_, dimensions[1], &width) != NC_NOERR
        || (width != 0 && rowCount > imageSize_ / width)) {
        error = platform::format8("\"%s\" is cut short: the file is truncated", {name});
        return false;
    }
    if (rowCount == 0 || width == 0) {
        rows.assign(rowCount, std::string());
        return true;
    }
    std::string text(rowCount * width, '\0');
    int status = nc_get_var_text(id_, variable, text.data());
    if (status != NC_NOERR) {
        error = platform::format8("\"%s\" cannot be read, the file may be truncated (%s)", {name, nc_strerror(status)});
        return false;
    }
    rows.reserve(rowCount);
    for (std::size_t r = 0; r < rowCount; ++r)
        rows.push_back(cutAtNul(text.data() + r * width, width));
    return true;
}

std::optional<double> NetCdfFile::fillValue(const char* name) const
{
    int variable = variableId(name);
    if (variable < 0)
        return std::nullopt;
    nc_type type = NC_NAT;
    nc_inq_vartype(id_, variable, &type);
    nc_type attributeType = NC_NAT;
    std::size_t length = 0;
    if (nc_inq_att(id_, variable, "_FillValue", &attributeType, &length) == NC_NOERR && length == 1 && attributeType == type) {
        double value = 0;
        if (nc_get_att_double(id_, variable, "_FillValue", &value) == NC_NOERR)
            return value;
    }
    switch (type) {
    case NC_FLOAT: return static_cast<double>(NC_FILL_FLOAT);
    case NC_DOUBLE: return NC_FILL_DOUBLE;
    case NC_INT: return NC_FILL_INT;
    case NC_SHORT: return NC_FILL_SHORT;
    default: return std::nullopt;
    }
}

std::optional<std::string> NetCdfFile::globalText(const char* name) const
{
    nc_type type = NC_NAT;
    std::size_t length = 0;
    if (nc_inq_att(id_, NC_GLOBAL, name, &type, &length) != NC_NOERR)
        return std::nullopt;
    if (type == NC_CHAR) {
        if (length > imageSize_)
            return std::nullopt;
        std::string text(length, '\0');
        if (length > 0 && nc_get_att_text(id_, NC_GLOBAL, name, text.data()) != NC_NOERR)
            return std::nullopt;
        return cutAtNul(text.data(), text.size());
    }
    if (type == NC_STRING || length == 0)
        return std::nullopt;
    std::optional<double> value = globalNumber(name);
    if (!value)
        return std::nullopt;
    return platform::formatNumberC("%.15g", *value);
}

std::optional<double> NetCdfFile::globalNumber(const char* name) const
{
    nc_type type = NC_NAT;
    std::size_t length = 0;
    if (nc_inq_att(id_, NC_GLOBAL, name, &type, &length) != NC_NOERR || length == 0)
        return std::nullopt;
    if (type == NC_CHAR) {
        std::optional<std::string> text = globalText(name);
        return text ? leadingNumber(*text) : std::nullopt;
    }
    if (type == NC_STRING || length > imageSize_)
        return std::nullopt;
    std::vector<double> values(length);
    int status = nc_get_att_double(id_, NC_GLOBAL, name, values.data());
    if (status != NC_NOERR && status != NC_ERANGE)
        return std::nullopt;
    return values.front();
}
