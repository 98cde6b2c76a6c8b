#include "FileFaults.h"
#include "ProfileStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

TEST(ProfileStore, KeysWithBackslashAndSlashPersistBetweenRuns)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("profile.txt"));
    {
        ProfileStore profile(path);
        EXPECT_TRUE(profile.setInt(QStringLiteral("plugins\\vexol\\/WindowRect_tlx"), -15));
        EXPECT_TRUE(profile.setInt(QStringLiteral("plugins\\vexol\\Settings/unitMode"), 1));
    }
    ProfileStore again(path);
    int value = 0;
    ASSERT_TRUE(again.getInt(QStringLiteral("plugins\\vexol\\/WindowRect_tlx"), &value));
    EXPECT_EQ(value, -15);
    ASSERT_TRUE(again.getInt(QStringLiteral("plugins\\vexol\\Settings/unitMode"), &value));
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(again.getInt(QStringLiteral("plugins\\vexol\\Settings/devControl"), &value));
}

TEST(ProfileStore, MissingEmptyOrGarbledFilesReadWhatIsSound)
{
    QTemporaryDir dir;
    int value = 0;
    ProfileStore missing(dir.filePath(QStringLiteral("none.txt")));
    EXPECT_FALSE(missing.getInt(QStringLiteral("a"), &value));

    QFile empty(dir.filePath(QStringLiteral("empty.txt")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_FALSE(ProfileStore(empty.fileName()).getInt(QStringLiteral("a"), &value));

    QFile garbled(dir.filePath(QStringLiteral("garbled.txt")));
    ASSERT_TRUE(garbled.open(QIODevice::WriteOnly));
    static const char garbage[] = "\xff\xfe\x00junk\n\tnokey\nkey\tnotanumber\ngood\t42\r\nnotab\n";
    garbled.write(garbage, sizeof garbage - 1);
    garbled.close();
    ProfileStore profile(garbled.fileName());
    EXPECT_TRUE(profile.getInt(QStringLiteral("good"), &value));
    EXPECT_EQ(value, 42);
    EXPECT_FALSE(profile.getInt(QStringLiteral("key"), &value));

    // A profile that cannot be written reports it; the value still holds for this run.
    ProfileStore unwritable(dir.filePath(QStringLiteral("no/such/folder/p.txt")));
    EXPECT_FALSE(unwritable.setInt(QStringLiteral("k"), 3));
    EXPECT_TRUE(unwritable.getInt(QStringLiteral("k"), &value));
}

// The profile is written through the file seam: a fault while writing leaves the previous profile
// whole, and a profile that is no regular file is read as empty instead of hanging the host.
TEST(ProfileStore, FaultsLeaveThePreviousProfileAndOddFilesNeverHang)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("profile.txt"));
    ProfileStore profile(path);
    ASSERT_TRUE(profile.setInt(QStringLiteral("plugins\\vexol\\Settings/unitMode"), 1));
    QFile before(path);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray good = before.readAll();
    before.close();

    for (testing_support::Op op : {testing_support::Op::Write, testing_support::Op::Fsync, testing_support::Op::Rename}) {
        SCOPED_TRACE(static_cast<int>(op));
        testing_support::FaultyCalls faults;
        faults.failing = op;
        faults.failCode = ENOSPC;
        {
            platform::ScopedFileSystemCalls scope(faults);
            EXPECT_FALSE(profile.setInt(QStringLiteral("plugins\\vexol\\Settings/devControl"), 1));
        }
        QFile after(path);
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        EXPECT_EQ(after.readAll(), good);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("profile.txt")});
    }

    const QString fifo = dir.filePath(QStringLiteral("fifo.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);  // no writer: a blocking read would hang
    int value = 0;
    EXPECT_FALSE(ProfileStore(fifo).getInt(QStringLiteral("a"), &value));
    EXPECT_FALSE(ProfileStore(dir.path()).getInt(QStringLiteral("a"), &value));
}
