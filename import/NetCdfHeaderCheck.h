#pragma once
// A walk over the header of a netCDF classic file (CDF-1, CDF-2 and CDF-5) before the library
// reads it. The library sizes its tables from the counts the header claims; a damaged or hostile
// header could make it claim gigabytes. Every count is held against the bytes that are there.
#include <cstddef>
#include <string>

// False with a reason when the header cannot be what it says.
bool netCdfHeaderPlausible(const unsigned char* data, std::size_t size, std::string& reason);
