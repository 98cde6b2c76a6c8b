#pragma once
// Turns the bytes of one ANDI (AIA, ASTM E1947) chromatography file into an AndiRun, coping with
// the variations real exports show: misspelt or missing unit attributes, padded names, numbers
// stored as text, placeholder dates and amounts. Refuses, with a reason, what cannot be imported.
#include "AndiRun.h"

#include <cstddef>
#include <cstdint>

// `fileTime`: the file's modification time (seconds since 1970), the injection time of last resort.
AndiReadResult readAndi(const unsigned char* data, std::size_t size, int64_t fileTime);
