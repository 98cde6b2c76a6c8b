#pragma once
// The bytes of a host chromatogram file, built in memory so that they reach the disk through the
// file seam as a whole or not at all.
#include <string>

class CVantrelFile4;

// The same bytes CVantrelFile4::save writes: header, one block per channel, the XML document.
std::string chromatogramBytes(const CVantrelFile4& file);
