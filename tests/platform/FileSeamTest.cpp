#include "platform/FileSeam.h"
#include "platform/Paths.h"
#include "FileFaults.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>
#include <vector>

using namespace platform;
using testing_support::FaultyCalls;
using testing_support::Op;
namespace fs = std::filesystem;

namespace {

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "vexol-seam-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempFolder()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::u16string wide(const std::string& name) const { return fromNativePath(file(name)); }
    // Every name in the folder, hidden ones included: a temporary left behind shows here.
    std::vector<std::string> names() const
    {
        std::vector<std::string> all;
        for (const auto& entry : fs::directory_iterator(path_))
            all.push_back(entry.path().filename().string());
        std::sort(all.begin(), all.end());
        return all;
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::string contentOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void put(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

mode_t modeOf(const std::string& path)
{
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode;
}

const std::string kOld = "the good report signed yesterday\n";

} // namespace

// The two ways a save makes its temporary: unnamed where the file system can (O_TMPFILE), named
// where it answers that it cannot.
struct TemporaryKind {
    const char* name;
    int unnamedFileRefusal;
};
const TemporaryKind kTemporaryKinds[] = {{"unnamed temporary", 0},
                                         {"no unnamed files (EOPNOTSUPP)", EOPNOTSUPP},
                                         {"no unnamed files (EISDIR)", EISDIR}};

// Each fault strikes a save over a good file: a failed save keeps the old file whole and leaves no
// temporary behind; a fault the seam is meant to ride out (EINTR, short writes) still saves.
TEST(FileSeam, SaveUnderInjectedFaults)
{
    const std::string fresh(200000, 'n');
    struct Case {
        const char* name;
        Op op;
        int code;
        int onCall;
        int times;
        std::size_t writeCap;
        bool writeZero;
        bool saves;
    };
    const Case cases[] = {
        {"short writes", Op::None, 0, 1, 0, 4093, false, true},
        {"write interrupted twice", Op::Write, EINTR, 1, 2, 0, false, true},
        {"disk full on first write", Op::Write, ENOSPC, 1, 1, 0, false, false},
        {"disk full midway", Op::Write, ENOSPC, 3, 1, 1000, false, false},
        {"write makes no progress", Op::None, 0, 1, 0, 0, true, false},
        {"I/O error on write", Op::Write, EIO, 2, 1, 5000, false, false},
        {"I/O error on fsync", Op::Fsync, EIO, 1, 1, 0, false, false},
        {"I/O error on close", Op::Close, EIO, 1, 1, 0, false, false},
        {"rename fails", Op::Rename, EXDEV, 1, 1, 0, false, false},
        {"temporary cannot be made", Op::Open, EACCES, 1, 1, 0, false, false},
        {"disk full at the temporary", Op::Open, ENOSPC, 1, 1, 0, false, false},
        // Only an unnamed temporary is linked to a name; a named one saves through these.
        {"naming the finished temporary fails", Op::Link, EIO, 1, 1, 0, false, false},
        {"the temporary's first name is taken", Op::Link, EEXIST, 1, 3, 0, false, true},
    };
    for (const TemporaryKind& kind : kTemporaryKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.name);
            const bool saves = c.saves || (c.op == Op::Link && kind.unnamedFileRefusal != 0);
            TempFolder folder;
            const std::string target = folder.file("report.html");
            put(target, kOld);
            ::chmod(target.c_str(), 0640);

            FaultyCalls faults;
            faults.unnamedFileRefusal = kind.unnamedFileRefusal;
            faults.failing = c.op;
            faults.failCode = c.code;
            faults.failOnCall = c.onCall;
            faults.failTimes = c.times;
            faults.writeCap = c.writeCap;
            faults.writeReturnsZero = c.writeZero;
            FileError error;
            bool saved = false;
            {
                ScopedFileSystemCalls scope(faults);
                // Two writes, as a streaming caller does.
                AtomicFileWriter writer;
                saved = writer.open(folder.wide("report.html"), error) &&
                        writer.write(std::string_view(fresh).substr(0, 100000), error) &&
                        writer.write(std::string_view(fresh).substr(100000), error) && writer.commit(error);
            }
            EXPECT_EQ(saved, saves);
            EXPECT_EQ(folder.names(), std::vector<std::string>{"report.html"});
            EXPECT_EQ(modeOf(target) & 07777, 0640u);
            if (saves) {
                EXPECT_FALSE(error.failed()) << error.messageUtf8();
                EXPECT_EQ(contentOf(target), fresh);
            } else {
                EXPECT_EQ(contentOf(target), kOld);
                EXPECT_EQ(error.code, c.code == 0 ? ENOSPC : c.code);
                EXPECT_NE(error.messageUtf8().find("\"" + target + "\""), std::string::npos) << error.messageUtf8();
            }
        }
    }
}

// A file flushed ahead of its commit (sync()) is not flushed again unless written to since: the
// commit's only sync is then the folder's. A failed early flush fails the save like a late one.
TEST(FileSeam, AnEarlySyncLeavesTheCommitOnlyTheRename)
{
    const struct Case {
        const char* name;
        bool writeAfterSync;
        int failingFsync;     // which sync fails, counting the file's and the folder's
        bool syncSucceeds;
        bool saves;
        const char* message;  // how the failure begins
    } cases[] = {
        {"the second sync is the folder's", false, 2, true, false, "Saved, but cannot make durable the folder of"},
        {"bytes written after the sync are flushed again", true, 2, true, false, "Cannot write"},
        {"the early sync fails", false, 1, false, false, "Cannot write"},
        {"no sync fails", false, 9, true, true, ""},
    };
    for (const TemporaryKind& kind : kTemporaryKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.name);
            TempFolder folder;
            const std::string target = folder.file("table.csv");
            put(target, kOld);
            FaultyCalls faults;
            faults.unnamedFileRefusal = kind.unnamedFileRefusal;
            faults.failing = Op::Fsync;
            faults.failOnCall = c.failingFsync;
            FileError syncError, error;
            bool synced = false;
            bool saved = false;
            {
                ScopedFileSystemCalls scope(faults);
                AtomicFileWriter writer;
                ASSERT_TRUE(writer.open(folder.wide("table.csv"), error) && writer.write("new ", error)) << error.messageUtf8();
                synced = writer.sync(syncError);
                if (c.writeAfterSync)
                    writer.write("rows", error);
                saved = writer.commit(error);
            }
            EXPECT_EQ(synced, c.syncSucceeds) << syncError.messageUtf8();
            EXPECT_EQ(saved, c.saves) << error.messageUtf8();
            EXPECT_EQ(folder.names(), std::vector<std::string>{"table.csv"});
            const FileError& failure = synced ? error : syncError;
            if (!c.saves) {
                EXPECT_EQ(failure.messageUtf8().rfind(c.message, 0), 0u) << failure.messageUtf8();
            }
            // A failed folder sync comes after the rename: the new content is in place, not yet
            // durable. Any other failure keeps the old file.
            const bool renamed = c.saves || (synced && !c.writeAfterSync);
            EXPECT_EQ(contentOf(target), renamed ? "new " : kOld);
        }
    }
}

// A save killed with SIGKILL while it writes (no handler, no destructor runs) leaves the folder as
// it was: the old file, byte for byte, and nothing beside it.
TEST(FileSeam, ASaveKilledWhileWritingLeavesOnlyTheOldFile)
{
    TempFolder folder;
    std::string old(3 << 20, '\0');
    for (std::size_t i = 0; i < old.size(); ++i)
        old[i] = static_cast<char>('a' + i % 23);
    put(folder.file("CompsTableVexol.csv"), old);

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child writes half of the new table for real, tells the parent, and waits to be killed.
        struct StallingCalls : platform::FileSystemCalls {
            int signal = -1;
            ssize_t write(int fd, const void* buffer, std::size_t size) override
            {
                const ssize_t written = platform::FileSystemCalls::write(fd, buffer, size / 2);
                if (::write(signal, "w", 1) != 1)
                    ::_exit(3);
                for (;;)
                    ::pause();
                return written;
            }
        } stalling;
        ::close(ready[0]);
        stalling.signal = ready[1];
        ScopedFileSystemCalls scope(stalling);
        AtomicFileWriter writer;
        FileError error;
        if (writer.open(folder.wide("CompsTableVexol.csv"), error))
            writer.write(std::string(4 << 20, 'n'), error);
        ::_exit(2);  // never reached while the write stalls
    }
    ::close(ready[1]);
    char byte = 0;
    const ssize_t got = ::read(ready[0], &byte, 1);
    ::close(ready[0]);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(got, 1) << "the child never reached its write";
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    EXPECT_EQ(folder.names(), std::vector<std::string>{"CompsTableVexol.csv"});
    EXPECT_TRUE(contentOf(folder.file("CompsTableVexol.csv")) == old);
}

TEST(FileSeam, ReadUnderInjectedFaults)
{
    TempFolder folder;
    const std::string content = "Name;Time\r\nБензол;1.25\r\n";
    put(folder.file("table.csv"), content);
    {
        FaultyCalls faults;  // every read returns at most 7 bytes, the second is interrupted
        faults.failing = Op::Read;
        faults.failCode = EINTR;
        faults.failOnCall = 2;
        faults.readCap = 7;
        ScopedFileSystemCalls scope(faults);
        std::string out;
        FileError error;
        EXPECT_TRUE(readRegularFile(folder.wide("table.csv"), out, error)) << error.messageUtf8();
        EXPECT_EQ(out, content);
    }
    {
        FaultyCalls faults;
        faults.failing = Op::Read;
        faults.failCode = EIO;
        faults.failOnCall = 2;
        ScopedFileSystemCalls scope(faults);
        std::string out = "stale";
        FileError error;
        EXPECT_FALSE(readRegularFile(folder.wide("table.csv"), out, error));
        EXPECT_EQ(error.code, EIO);
        EXPECT_TRUE(out.empty());  // never half a table
    }
}

TEST(FileSeam, SaveKeepsPermissionsFollowsSymlinksAndRefusesWhatIsNotAFile)
{
    TempFolder folder;
    FileError error;

    // A new file gets the usual mode; an existing one keeps its own.
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(writeFileAtomically(folder.wide("new.json"), "{}", error)) << error.messageUtf8();
    EXPECT_EQ(modeOf(folder.file("new.json")) & 07777, 0644u);
    ASSERT_TRUE(writeFileAtomically(folder.wide("private.html"), "x", error, 0600));
    EXPECT_EQ(modeOf(folder.file("private.html")) & 07777, 0600u);
    ::umask(mask);
    ::chmod(folder.file("new.json").c_str(), 0604);
    ASSERT_TRUE(writeFileAtomically(folder.wide("new.json"), "{\"a\":1}", error));
    EXPECT_EQ(modeOf(folder.file("new.json")) & 07777, 0604u);
    EXPECT_EQ(contentOf(folder.file("new.json")), "{\"a\":1}");

    // A symlinked target: the file it names is replaced and the link stays a link.
    fs::create_directory(folder.file("shared"));
    put(folder.file("shared/table.csv"), "old");
    fs::create_symlink("shared/table.csv", folder.file("table.csv"));
    ASSERT_TRUE(writeFileAtomically(folder.wide("table.csv"), "new", error)) << error.messageUtf8();
    EXPECT_TRUE(S_ISLNK(modeOf(folder.file("table.csv"))));
    EXPECT_EQ(contentOf(folder.file("shared/table.csv")), "new");
    // A link to a file not made yet creates that file.
    fs::create_symlink(folder.file("shared/later.csv"), folder.file("later.csv"));
    ASSERT_TRUE(writeFileAtomically(folder.wide("later.csv"), "made", error)) << error.messageUtf8();
    EXPECT_EQ(contentOf(folder.file("shared/later.csv")), "made");
    EXPECT_TRUE(S_ISLNK(modeOf(folder.file("later.csv"))));

    // Not regular files, and a read-only one: refused, left as they were, nothing left behind.
    fs::create_directory(folder.file("a folder"));
    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
    put(folder.file("signed.csv"), "signed");
    ::chmod(folder.file("signed.csv").c_str(), 0444);
    fs::create_symlink("pipe", folder.file("link to pipe"));
    int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = folder.file("sock");
    const bool haveSocket = socketPath.size() < sizeof address.sun_path;
    if (haveSocket) {
        std::strcpy(address.sun_path, socketPath.c_str());
        ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    }
    // A device node only where this user may make one.
    const bool haveDevice = ::mknod(folder.file("null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;

    struct Refusal {
        const char* name;
        int code;
        mode_t kind;
    };
    std::vector<Refusal> refusals = {
        {"a folder", EISDIR, S_IFDIR},
        {"pipe", EINVAL, S_IFIFO},
        {"link to pipe", EINVAL, S_IFLNK},
        {"signed.csv", EACCES, S_IFREG},
    };
    if (haveSocket)
        refusals.push_back({"sock", EINVAL, S_IFSOCK});
    if (haveDevice)
        refusals.push_back({"null", EINVAL, S_IFCHR});
    const auto before = folder.names();
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        EXPECT_FALSE(writeFileAtomically(folder.wide(r.name), "overwritten", error));
        EXPECT_EQ(error.code, r.code);
        EXPECT_EQ(modeOf(folder.file(r.name)) & S_IFMT, r.kind);
        EXPECT_NE(error.messageUtf8().find(r.name), std::string::npos) << error.messageUtf8();
    }
    EXPECT_EQ(folder.names(), before);
    EXPECT_EQ(contentOf(folder.file("signed.csv")), "signed");
    ::close(sock);
}

TEST(FileSeam, UncommittedWriterRemovesItsTemporary)
{
    for (const TemporaryKind& kind : kTemporaryKinds) {
        SCOPED_TRACE(kind.name);
        TempFolder folder;
        put(folder.file("out.json"), "old");
        FaultyCalls faults;
        faults.unnamedFileRefusal = kind.unnamedFileRefusal;
        ScopedFileSystemCalls scope(faults);
        {
            AtomicFileWriter writer;
            FileError error;
            ASSERT_TRUE(writer.open(folder.wide("out.json"), error));
            ASSERT_TRUE(writer.write("half of it", error));
            if (kind.unnamedFileRefusal == 0) {
                // Nobody can see, open or plant anything at a temporary with no name.
                EXPECT_EQ(folder.names(), std::vector<std::string>{"out.json"});
                EXPECT_TRUE(writer.temporaryPath().empty());
            } else {
                EXPECT_EQ(folder.names().size(), 2u);
                EXPECT_EQ(writer.temporaryPath().rfind(folder.path() + "/.out.json.", 0), 0u);
            }
        }
        EXPECT_EQ(folder.names(), std::vector<std::string>{"out.json"});
        EXPECT_EQ(contentOf(folder.file("out.json")), "old");
    }
}

// A copy that may only add a file: it appears whole under its name or not at all, and never
// replaces a file that took the name first.
TEST(FileSeam, CommitAsNewNeverReplacesAName)
{
    struct Case {
        const char* name;
        bool nameTaken;
        Op op;
        int code;
        bool created;
    };
    const Case cases[] = {
        {"a free name", false, Op::None, 0, true},
        {"the name is taken meanwhile", true, Op::None, EEXIST, false},
        {"disk full while writing", false, Op::Write, ENOSPC, false},
        {"the link fails", false, Op::Link, EIO, false},
        {"close fails", false, Op::Close, EIO, false},
    };
    for (const TemporaryKind& kind : kTemporaryKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.name);
            TempFolder folder;
            FaultyCalls faults;
            faults.unnamedFileRefusal = kind.unnamedFileRefusal;
            faults.failing = c.op;
            faults.failCode = c.code;
            ScopedFileSystemCalls scope(faults);
            AtomicFileWriter writer;
            FileError error;
            ASSERT_TRUE(writer.open(folder.wide("Report.xsl"), error)) << error.messageUtf8();
            if (c.nameTaken)
                put(folder.file("Report.xsl"), "the laboratory's own");
            const bool created = writer.write("<xsl/>", error) && writer.commitAsNew(error);
            EXPECT_EQ(created, c.created);
            EXPECT_EQ(error.code, c.code);
            const bool present = c.created || c.nameTaken;
            EXPECT_EQ(folder.names(), present ? std::vector<std::string>{"Report.xsl"} : std::vector<std::string>{});
            if (present) {
                EXPECT_EQ(contentOf(folder.file("Report.xsl")), c.nameTaken ? "the laboratory's own" : "<xsl/>");
            }
        }
    }
}

TEST(FileSeam, CreateFoldersMakesWhatIsMissing)
{
    TempFolder folder;
    FileError error;
    EXPECT_TRUE(createFolders(folder.wide("Vantrel4/Templates/vexol"), 0755, error)) << error.messageUtf8();
    EXPECT_TRUE(fs::is_directory(folder.file("Vantrel4/Templates/vexol")));
    EXPECT_TRUE(createFolders(folder.wide("Vantrel4/Templates"), 0755, error));  // already there
    put(folder.file("Vantrel4/file"), "x");
    EXPECT_FALSE(createFolders(folder.wide("Vantrel4/file/vexol"), 0755, error));
    EXPECT_EQ(error.code, ENOTDIR);
    EXPECT_NE(error.messageUtf8().find(folder.file("Vantrel4/file")), std::string::npos) << error.messageUtf8();
}

TEST(FileSeam, ASaveRemovesTheTemporaryOfAnEarlierKilledSave)
{
    TempFolder folder;
    put(folder.file("CompsTableVexol.csv"), "table");
    // What a save killed before its rename leaves: its own temporary, an hour old and more; a
    // save running now in another process; and files of other names.
    for (const char* name : {".CompsTableVexol.csv.Ab3dE9", ".CompsTableVexol.csv.zzzzzz", ".other.csv.Ab3dE9",
                             ".CompsTableVexol.csv.long-name"})
        put(folder.file(name), std::string(5000, 'x'));
    const timespec old[2] = {{std::time(nullptr) - 2 * 3600, 0}, {std::time(nullptr) - 2 * 3600, 0}};
    for (const char* name : {".CompsTableVexol.csv.Ab3dE9", ".other.csv.Ab3dE9", ".CompsTableVexol.csv.long-name"})
        ::utimensat(AT_FDCWD, folder.file(name).c_str(), old, 0);

    FileError error;
    ASSERT_TRUE(writeFileAtomically(folder.wide("CompsTableVexol.csv"), "new table", error)) << error.messageUtf8();
    EXPECT_EQ(folder.names(), (std::vector<std::string>{".CompsTableVexol.csv.long-name", ".CompsTableVexol.csv.zzzzzz",
                                                        ".other.csv.Ab3dE9", "CompsTableVexol.csv"}));
}

TEST(FileSeam, ReadsRegularFilesOnlyAndNeverWaitsOnAFifo)
{
    TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);  // no writer: a blocking open would hang
    fs::create_directory(folder.file("dir"));
    put(folder.file("big"), std::string(1000, 'b'));
    put(folder.file("empty"), "");

    struct Case {
        std::u16string path;
        int code;
    };
    const Case refused[] = {
        {folder.wide("pipe"), EINVAL},
        {folder.wide("dir"), EISDIR},
        {u"/dev/zero", EINVAL},
        {folder.wide("missing"), ENOENT},
        {u"", ENOENT},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(nativePath(c.path));
        std::string out;
        FileError error;
        EXPECT_FALSE(readRegularFile(c.path, out, error));
        EXPECT_EQ(error.code, c.code);
        EXPECT_TRUE(out.empty());
        EXPECT_NE(error.message.find(c.path), std::u16string::npos);
    }
    std::string out;
    FileError error;
    EXPECT_FALSE(readRegularFile(folder.wide("big"), out, error, 999));
    EXPECT_EQ(error.code, EFBIG);
    EXPECT_TRUE(readRegularFile(folder.wide("big"), out, error, 1000));
    EXPECT_EQ(out.size(), 1000u);
    EXPECT_TRUE(readRegularFile(folder.wide("empty"), out, error));
    EXPECT_TRUE(out.empty());
}

TEST(FileSeam, NewNamesAreNeverFollowedNorTruncated)
{
    TempFolder folder;
    put(folder.file("victim"), "keep me");
    fs::create_symlink(folder.file("victim"), folder.file("vtl1234.tmp.html"));
    fs::create_symlink(folder.file("nowhere"), folder.file("dangling"));
    put(folder.file("planted"), "planted by someone");

    FileError error;
    for (const char* name : {"vtl1234.tmp.html", "dangling", "planted"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(createNewFile(folder.wide(name), "report", 0600, error));
        EXPECT_EQ(error.code, EEXIST);
    }
    EXPECT_EQ(contentOf(folder.file("victim")), "keep me");
    EXPECT_EQ(contentOf(folder.file("planted")), "planted by someone");
    EXPECT_FALSE(fs::exists(folder.file("nowhere")));

    const mode_t mask = ::umask(0);
    EXPECT_TRUE(createNewFile(folder.wide("fresh.html"), "report", 0600, error));
    EXPECT_TRUE(createNewFolder(folder.wide("private"), 0700, error));
    ::umask(mask);
    EXPECT_EQ(modeOf(folder.file("fresh.html")) & 07777, 0600u);
    EXPECT_EQ(modeOf(folder.file("private")) & 07777, 0700u);
    EXPECT_EQ(contentOf(folder.file("fresh.html")), "report");
    EXPECT_FALSE(createNewFolder(folder.wide("private"), 0700, error));
    EXPECT_EQ(error.code, EEXIST);

    // A write that fails leaves no half file under the new name.
    FaultyCalls faults;
    faults.failing = Op::Write;
    faults.failCode = ENOSPC;
    {
        ScopedFileSystemCalls scope(faults);
        EXPECT_FALSE(createNewFile(folder.wide("full.html"), "report", 0600, error));
    }
    EXPECT_EQ(error.code, ENOSPC);
    EXPECT_FALSE(fs::exists(folder.file("full.html")));

    EXPECT_TRUE(removeFile(folder.wide("dangling"), error));
    EXPECT_TRUE(removeFile(folder.wide("dangling"), error));  // already gone
    EXPECT_FALSE(fs::is_symlink(folder.file("dangling")));
}

TEST(FileSeam, SameFileByDeviceAndInode)
{
    TempFolder folder;
    put(folder.file("a"), "x");
    put(folder.file("b"), "x");
    fs::create_hard_link(folder.file("a"), folder.file("hard"));
    fs::create_symlink(folder.file("a"), folder.file("soft"));
    EXPECT_TRUE(sameFile(folder.wide("a"), folder.wide("hard")));
    EXPECT_TRUE(sameFile(folder.wide("soft"), folder.wide("a")));
    EXPECT_TRUE(sameFile(folder.wide("a"), fromNativePath(folder.path() + "/./a")));
    EXPECT_FALSE(sameFile(folder.wide("a"), folder.wide("b")));
    EXPECT_FALSE(sameFile(folder.wide("a"), folder.wide("missing")));
    EXPECT_FALSE(sameFile(folder.wide("missing"), folder.wide("missing")));
}
