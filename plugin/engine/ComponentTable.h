#pragma once
// The component table file: semicolon-separated, code page 1251, a header line, one component per
// line. It is read afresh for every recalculation and written only by the components dialog.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/Component.h"
#include "platform/FileSeam.h"

// Why a save did not replace the file. The old file is untouched whenever save returns false.
struct ComponentTableSaveError {
    enum class Kind {
        None,
        Unrepresentable,   // a name holds a character the file cannot hold (refusedNameCharacter)
        NoPath,            // the path is empty
        WriteFailed        // the file could not be created, written, flushed or renamed
    };
    Kind kind = Kind::None;
    // For Unrepresentable: which component (position in the sequence), which field, which character.
    int componentIndex = -1;
    std::u16string componentName;
    bool inAltName = false;
    char32_t character = 0;
    // For WriteFailed: the system's error number (errno) of the step that failed, and a message
    // naming the file (empty when the failure was not the file's, e.g. memory).
    int systemError = 0;
    std::u16string message;
};

// The first character of a name or alternative name that the file cannot hold: the field
// separator ";", a control character (C0, DEL, C1; line breaks and tabs included), or a character
// outside code page 1251. None when the text can be saved and read back as it is.
std::optional<char32_t> refusedNameCharacter(std::u16string_view text);

// Full path of the table file below the public documents folder; empty when there is no such folder.
std::u16string componentTablePath();

class ComponentTable {
public:
    // Empties `components` and fills it from componentTablePath(). True when the file was opened
    // and read to its end (also when it held no component); false, with `components` empty, when
    // there is no path or file, it is not a regular file, or it cannot be opened or read.
    static bool load(ComponentList& components);
    // The same from a given path (the components dialog keeps the path it opened); the reason for
    // a false result goes to `error` when given.
    static bool loadFrom(std::u16string_view path, ComponentList& components,
                         platform::FileError* error = nullptr);

    // Replaces the file with the header and one line per component. Writes a temporary file beside
    // it and renames it over the old one, so the file is never left half written; a symlinked table
    // is saved into the file it names, permissions are kept, a read-only table is refused. False
    // (and the reason in `error` when given) when nothing was replaced.
    static bool save(std::u16string_view path, const ComponentList& components,
                     ComponentTableSaveError* error = nullptr);
};
