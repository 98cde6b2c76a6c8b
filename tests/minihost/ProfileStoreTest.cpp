#include "ProfileStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
