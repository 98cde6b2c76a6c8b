#include "platform/PrivateTempFolder.h"

#include "platform/Paths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <random>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

constexpr std::time_t kOneDay = 24 * 60 * 60;
constexpr const char* kSessionFolderPrefix = "vexol-";

struct Session {
    std::mutex mutex;
    std::string base;            // where the folder was looked for: a change means a new folder
    std::string folder;          // the private folder in use; empty until first needed
    bool madeForSession = false; // a mkdtemp-style folder of this session, removed at the end
    std::vector<std::string> files;
};

Session& session()
{
    static Session instance;
    return instance;
}

// A folder only this user can enter: a real folder, ours, no access for group or others.
bool isPrivateFolder(const std::string& path)
{
    struct stat status {};
    return fileSystemCalls().lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & 077) == 0;
}

std::string runtimeBase()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime || runtime[0] != '/' || !isPrivateFolder(runtime))
        return {};
    return runtime;
}

bool olderThanADay(const struct stat& status, std::time_t now) { return now - status.st_mtime > kOneDay; }

// Files left by earlier sessions (placeholders, reports) once they are older than a day. Only
// plain files and symlinks are removed, never followed.
void removeOldFiles(const std::string& folder, std::time_t now)
{
    std::error_code listing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, listing)) {
        const std::string path = entry.path().string();
        struct stat status {};
        if (fileSystemCalls().lstat(path.c_str(), &status) != 0)
            continue;
        if ((S_ISREG(status.st_mode) || S_ISLNK(status.st_mode)) && olderThanADay(status, now))
            fileSystemCalls().unlink(path.c_str());
    }
}

// Session folders under the shared temporary folder that this user's earlier sessions did not get
// to remove (a killed host), once untouched for a day.
void removeOldSessionFolders(const std::string& base, std::time_t now)
{
    std::error_code listing;
    for (const auto& entry : std::filesystem::directory_iterator(base, listing)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kSessionFolderPrefix, 0) != 0 || name.size() != 12)
            continue;
        const std::string path = entry.path().string();
        struct stat status {};
        if (!isPrivateFolder(path) || fileSystemCalls().lstat(path.c_str(), &status) != 0 || !olderThanADay(status, now))
            continue;
        removeOldFiles(path, now + 2 * kOneDay);  // everything in it is as old as the session
        fileSystemCalls().rmdir(path.c_str());    // stays when something else is still inside
    }
}

std::string randomName()
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kLetters) - 2);
    std::string name(6, 'x');
    for (char& c : name)
        c = kLetters[pick(random)];
    return name;
}

// Finds or makes the folder; the session's lock is held.
std::string openFolder(Session& s, FileError& error)
{
    const std::string runtime = runtimeBase();
    const std::string base = nativePath(tempFolder());
    const std::string key = runtime + '\n' + base;
    if (!s.folder.empty() && s.base == key && isPrivateFolder(s.folder))
        return s.folder;

    s.base = key;
    s.folder.clear();
    s.madeForSession = false;
    const std::time_t now = std::time(nullptr);
    if (!runtime.empty()) {
        const std::string folder = runtime + "/vexol";
        FileError made;
        if (isPrivateFolder(folder) || createNewFolder(fromNativePath(folder), 0700, made)) {
            if (isPrivateFolder(folder)) {
                removeOldFiles(folder, now);
                s.folder = folder;
                return folder;
            }
        }
        // Not usable (someone else's, a symlink, a file): a folder of the session's own instead.
    }
    removeOldSessionFolders(base, now);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string folder = base + "/" + kSessionFolderPrefix + randomName();
        FileError made;
        if (createNewFolder(fromNativePath(folder), 0700, made)) {
            s.folder = folder;
            s.madeForSession = true;
            return folder;
        }
        if (made.code != EEXIST) {
            error = made;
            return {};
        }
    }
    error.code = EEXIST;
    error.path = fromNativePath(base);
    error.message = u"Cannot create a private folder in \"" + error.path + u"\": every name tried is taken";
    return {};
}

} // namespace

std::u16string privateTempFolder(FileError& error)
{
    error = {};
    Session& s = session();
    std::lock_guard<std::mutex> lock(s.mutex);
    return fromNativePath(openFolder(s, error));
}

std::u16string createPrivateTempFile(std::u16string_view prefix, std::u16string_view suffix, std::string_view bytes,
                                     FileError& error)
{
    error = {};
    Session& s = session();
    std::lock_guard<std::mutex> lock(s.mutex);
    const std::string folder = openFolder(s, error);
    if (folder.empty())
        return {};
    const std::string stem = folder + "/" + nativePath(prefix);
    const std::string ending = nativePath(suffix);
    std::random_device seed;
    std::mt19937 random(seed());
    // The system's naming: four hex digits, tried from a random start, 0 never used.
    const unsigned start = random() & 0xFFFF;
    for (unsigned n = 0; n < 0x10000; ++n) {
        const unsigned unique = (start + n) & 0xFFFF;
        if (unique == 0)
            continue;
        char number[16];
        std::snprintf(number, sizeof number, "%04X.tmp", unique);
        const std::u16string candidate = fromNativePath(stem + number + ending);
        if (createNewFile(candidate, bytes, 0600, error)) {
            s.files.push_back(nativePath(candidate));
            return candidate;
        }
        if (error.code != EEXIST)
            return {};
    }
    return {};  // every name taken: the last EEXIST says so
}

void removeSessionTempFiles()
{
    Session& s = session();
    std::lock_guard<std::mutex> lock(s.mutex);
    for (const std::string& file : s.files)
        fileSystemCalls().unlink(file.c_str());
    s.files.clear();
    if (s.madeForSession && !s.folder.empty())
        fileSystemCalls().rmdir(s.folder.c_str());
    s.folder.clear();
    s.base.clear();
    s.madeForSession = false;
}

} // namespace platform
