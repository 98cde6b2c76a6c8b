#pragma once
// Temporary files no other user can plant, read or change: the report shown to the analyst is
// written into a folder of the user's own (mode 0700) under a name created exclusively.
#include "platform/FileSeam.h"

#include <string>
#include <string_view>

namespace platform {

// "$XDG_RUNTIME_DIR/vexol" when the runtime folder is set and private to this user, else a folder
// "vexol-XXXXXX" made for this session under tempFolder(). Either is a real folder (never a
// symlink) owned by this user with mode 0700; one that is not is never used. Reports of earlier
// sessions older than a day are removed there when the folder is first used. Empty with `error`
// when no such folder can be had.
std::u16string privateTempFolder(FileError& error);

// Creates "<private folder>/<prefix>XXXX.tmp<suffix>" (XXXX four hex digits) that did not exist,
// mode 0600, holding the bytes. A name already taken, a planted symlink included, is skipped and
// left alone. Returns the path, or empty with `error`.
std::u16string createPrivateTempFile(std::u16string_view prefix, std::u16string_view suffix,
                                     std::string_view bytes, FileError& error);

// Removes the files createPrivateTempFile made in this session, and the session's own folder when
// one was made under the temporary folder. For the plug-in's unloading.
void removeSessionTempFiles();

} // namespace platform
