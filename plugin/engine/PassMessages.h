#pragma once
// The texts of the warnings the pass may raise once per component and chromatogram, tens of
// thousands of times in one pass. Each is written in one piece, in place in the log or into storage
// of its exact size, character for character what platform::format makes of the catalogue's format.
#include <string>
#include <string_view>

// "%s: \"%s\", канал %d - время выхода вне окна.", appended to `out`.
void appendOutOfWindowText(std::u16string& out, std::u16string_view fileName, std::u16string_view component,
                           int channel);
std::u16string outOfWindowText(std::u16string_view fileName, std::u16string_view component, int channel);

// "%s: \"%s\" - отклик каналов различается на %.1f%% (норма %.1f%%).", appended to `out`.
void appendDeviationText(std::u16string& out, std::u16string_view fileName, std::u16string_view component,
                         double deviation, double norm);
std::u16string deviationText(std::u16string_view fileName, std::u16string_view component, double deviation,
                             double norm);
