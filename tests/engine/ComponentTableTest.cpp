#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "FileFaults.h"
#include "engine/ComponentTable.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace fs = std::filesystem;

namespace {

std::string cp1251(std::u16string_view text)
{
    std::string bytes;
    if (platform::utf16ToCp1251(text, bytes))
        bytes = "<unrepresentable>";
    return bytes;
}

const std::string header = cp1251(u"№;Имя;Альт.имя;Канал1_tR;Канал1_окно;Канал2_tR;Канал2_окно;ОснКанал;Отклонение");

class ComponentTableFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Numbers must come out with a point even when the process runs in a decimal-comma locale.
        std::setlocale(LC_ALL, "ru_RU.UTF-8");
        ASSERT_STREQ(std::localeconv()->decimal_point, ",") << "the ru_RU.UTF-8 locale is not installed";
        root = fs::temp_directory_path() / ("vexol-table-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "Vantrel4" / "vexol");
        ::setenv("VANTREL_PUBLIC_DOCUMENTS", root.c_str(), 1);
        path = root / "Vantrel4" / "vexol" / "CompsTableVexol.csv";
    }
    void TearDown() override
    {
        std::setlocale(LC_ALL, "");
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root);
    }

    void writeBytes(const std::string& bytes)
    {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    std::string readBytes() const
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    ComponentList loadLines(const std::string& dataLines)
    {
        writeBytes(header + "\r\n" + dataLines);
        ComponentList list;
        EXPECT_TRUE(ComponentTable::load(list));
        return list;
    }
    std::u16string tablePath() const { return platform::fromNativePath(path.string()); }

    fs::path root;
    fs::path path;
};

Component sample(std::u16string name, std::u16string alt)
{
    Component c;
    c.number = 12;
    c.name = std::move(name);
    c.altName = std::move(alt);
    c.time1 = 5.12345;
    c.window1 = 2.556;
    c.time2 = 7.0004;
    c.window2 = 0.126;
    c.mainChannel = 0;
    c.deviation = 15.678;
    return c;
}

} // namespace

TEST_F(ComponentTableFile, PathLiesBelowThePublicDocumentsFolder)
{
    EXPECT_EQ(componentTablePath(), tablePath());
    ::setenv("VANTREL_PUBLIC_DOCUMENTS", "", 1);
    const char* home = std::getenv("HOME");
    if (home && *home) {
        EXPECT_EQ(componentTablePath(),
                  platform::fromNativePath(std::string(home) + "/Public/Vantrel4/vexol/CompsTableVexol.csv"));
    }
}

TEST_F(ComponentTableFile, WritesTheExactBytesInCodePage1251WithCrLf)
{
    Component c;
    c.number = 1;
    c.name = u"Новый компонент";
    c.altName = u"-";
    ASSERT_TRUE(ComponentTable::save(tablePath(), {c, sample(u"Бензол", u"C6H6")}));
    EXPECT_EQ(readBytes(), header + "\r\n" + cp1251(u"1;Новый компонент;-;0.000;0.00;0.000;0.00;1;0.00") + "\r\n" +
                               cp1251(u"12;Бензол;C6H6;5.123;2.56;7.000;0.13;0;15.68") + "\r\n");

    ASSERT_TRUE(ComponentTable::save(tablePath(), {}));
    EXPECT_EQ(readBytes(), header + "\r\n");
}

TEST_F(ComponentTableFile, RoundTripKeepsComponentsRoundedToTheirDecimals)
{
    ComponentList saved{sample(u"Толуол Ё", u" alt "), sample(u"x", u"-")};
    ASSERT_TRUE(ComponentTable::save(tablePath(), saved));
    ComponentList read{sample(u"stale", u"")};
    ASSERT_TRUE(ComponentTable::load(read));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].number, 12);
    EXPECT_EQ(read[0].name, u"Толуол Ё");
    EXPECT_EQ(read[0].altName, u" alt ");
    EXPECT_DOUBLE_EQ(read[0].time1, 5.123);
    EXPECT_DOUBLE_EQ(read[0].window1, 2.56);
    EXPECT_DOUBLE_EQ(read[0].time2, 7.0);
    EXPECT_DOUBLE_EQ(read[0].window2, 0.13);
    EXPECT_EQ(read[0].mainChannel, 0);
    EXPECT_DOUBLE_EQ(read[0].deviation, 15.68);
    EXPECT_EQ(read[1].name, u"x");
}

TEST_F(ComponentTableFile, DecimalCommaAndPointReadAlike)
{
    ComponentList list = loadLines(cp1251(u"1;A;-;1,5;2,25;3.5; 4,0 ;2;1,5\r\n"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_DOUBLE_EQ(list[0].time1, 1.5);
    EXPECT_DOUBLE_EQ(list[0].window1, 2.25);
    EXPECT_DOUBLE_EQ(list[0].time2, 3.5);
    EXPECT_DOUBLE_EQ(list[0].window2, 4.0);
    EXPECT_EQ(list[0].mainChannel, 2);
    EXPECT_DOUBLE_EQ(list[0].deviation, 1.5);
}

TEST_F(ComponentTableFile, FieldCountRules)
{
    ComponentList list = loadLines(
        "1;short;-;1;2;3;4;1\r\n"      // eight fields: skipped
        "   \t \r\n"                    // blanks only: skipped
        "\r\n"
        ";;;;;;;;\r\n"                  // nine empty fields
        "2;ten;-;1;2;3;4;1;5;\r\n"      // a tenth, empty field is ignored
        "3;a;b;c;-;1;2;3;4;1;5\n"       // a ";" in the name shifts every later field
        "4;lf;-;1;2;3;4;2;5");          // LF line ends and no line end at all
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].number, 0);
    EXPECT_TRUE(list[0].name.empty());
    EXPECT_TRUE(list[0].altName.empty());
    EXPECT_EQ(list[0].mainChannel, 0);
    EXPECT_EQ(list[0].time1, 0);
    EXPECT_EQ(list[1].name, u"ten");
    EXPECT_DOUBLE_EQ(list[1].deviation, 5);
    EXPECT_EQ(list[2].name, u"a");
    EXPECT_EQ(list[2].altName, u"b");
    EXPECT_EQ(list[2].time1, 0);      // "c" is no number
    EXPECT_EQ(list[2].mainChannel, 3);
    EXPECT_EQ(list[3].name, u"lf");
    EXPECT_EQ(list[3].mainChannel, 2);
}

TEST_F(ComponentTableFile, BlanksStayInNamesAndIntegersSkipLeadingBlanks)
{
    ComponentList list = loadLines(cp1251(u" 7 ; Имя ; B ;1;2;3;4; 2x;0\r\n"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].number, 7);
    EXPECT_EQ(list[0].name, u" Имя ");
    EXPECT_EQ(list[0].altName, u" B ");
    EXPECT_EQ(list[0].mainChannel, 2);
}

TEST_F(ComponentTableFile, TheFirstLineIsSkippedWhateverItHolds)
{
    writeBytes("1;first;-;1;2;3;4;1;5\r\n2;second;-;1;2;3;4;1;5\r\n");
    ComponentList list;
    ASSERT_TRUE(ComponentTable::load(list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, u"second");
}

TEST_F(ComponentTableFile, NonFiniteAndOverlongValuesAreReadWithoutHarm)
{
    std::string longName(100000, 'n');
    ComponentList list = loadLines("1;" + longName + ";-;nan;1e400;-inf;-5;99999999999;1e-400\r\n");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name.size(), longName.size());
    EXPECT_TRUE(std::isnan(list[0].time1));
    EXPECT_TRUE(std::isinf(list[0].window1));
    EXPECT_DOUBLE_EQ(list[0].window2, -5);
}

TEST_F(ComponentTableFile, NoFileOrNoFolderGivesAnEmptyTable)
{
    ComponentList list{sample(u"x", u"-")};
    EXPECT_FALSE(ComponentTable::load(list));
    EXPECT_TRUE(list.empty());

    ::setenv("VANTREL_PUBLIC_DOCUMENTS", (root / "absent").c_str(), 1);
    list.push_back(sample(u"x", u"-"));
    EXPECT_FALSE(ComponentTable::load(list));
    EXPECT_TRUE(list.empty());
}

TEST_F(ComponentTableFile, AReadErrorIsReportedAsFalseWithoutAnException)
{
    // The kernel refuses to read unmapped memory: a regular file whose reading fails.
    ASSERT_TRUE(platform::fileExists(u"/proc/self/mem"));
    ComponentList list;
    EXPECT_NO_THROW(EXPECT_FALSE(ComponentTable::loadFrom(u"/proc/self/mem", list)));
    EXPECT_TRUE(list.empty());
}

TEST_F(ComponentTableFile, RefusesCharactersTheCodePageCannotHoldBeforeWritingAnything)
{
    ASSERT_TRUE(ComponentTable::save(tablePath(), {sample(u"Старый", u"-")}));
    const std::string before = readBytes();

    ComponentTableSaveError error;
    EXPECT_FALSE(ComponentTable::save(tablePath(), {sample(u"ok", u"-"), sample(u"Бензол中", u"-")}, &error));
    EXPECT_EQ(error.kind, ComponentTableSaveError::Kind::Unrepresentable);
    EXPECT_EQ(error.componentIndex, 1);
    EXPECT_EQ(error.componentName, u"Бензол中");
    EXPECT_FALSE(error.inAltName);
    EXPECT_EQ(error.character, U'中');
    EXPECT_EQ(readBytes(), before);

    EXPECT_FALSE(ComponentTable::save(tablePath(), {sample(u"Толуол", u"α-toluene")}, &error));
    EXPECT_TRUE(error.inAltName);
    EXPECT_EQ(error.componentIndex, 0);
    EXPECT_EQ(error.character, U'α');

    // A line break would split the component over two lines of the file.
    EXPECT_FALSE(ComponentTable::save(tablePath(), {sample(u"two\nlines", u"-")}, &error));
    EXPECT_EQ(error.character, U'\n');
    EXPECT_EQ(readBytes(), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()), 1);
}

TEST_F(ComponentTableFile, RefusesSeparatorsAndControlCharactersThatWouldShiftFieldsOnReading)
{
    ASSERT_TRUE(ComponentTable::save(tablePath(), {sample(u"Старый", u"-")}));
    const std::string before = readBytes();
    const struct {
        std::u16string name;
        std::u16string alt;
        char32_t refused;
        bool inAlt;
    } cases[] = {
        {u"Бензол;1", u"-", U';', false},
        {u"Толуол", u"a;b", U';', true},
        {u"tab\there", u"-", U'\t', false},
        {u"bell\a", u"-", U'\a', false},
        {u"ok", std::u16string(u"nul\0", 4), U'\0', true},
        {u"del\x7F", u"-", U'\x7F', false},
        {u"c1\u0085", u"-", U'\u0085', false},
    };
    for (const auto& c : cases) {
        ComponentTableSaveError error;
        EXPECT_FALSE(ComponentTable::save(tablePath(), {sample(u"ok", u"-"), sample(c.name, c.alt)}, &error))
            << platform::utf16ToUtf8(c.name);
        EXPECT_EQ(error.kind, ComponentTableSaveError::Kind::Unrepresentable);
        EXPECT_EQ(error.componentIndex, 1);
        EXPECT_EQ(error.inAltName, c.inAlt);
        EXPECT_EQ(error.character, c.refused) << platform::utf16ToUtf8(c.name);
        EXPECT_EQ(refusedNameCharacter(c.inAlt ? c.alt : c.name), std::optional<char32_t>(c.refused));
    }
    EXPECT_EQ(readBytes(), before);
    // What the file can hold passes, blanks and the dash included.
    for (std::u16string_view fine : {u"", u"-", u" Бензол, 1-й ", u"№ 5 (α)"})
        EXPECT_EQ(refusedNameCharacter(fine), fine == u"№ 5 (α)" ? std::optional<char32_t>(U'α') : std::nullopt);
}

TEST_F(ComponentTableFile, AFailedWriteLeavesTheOldFileByteForByte)
{
    ASSERT_TRUE(ComponentTable::save(tablePath(), {sample(u"Старый", u"-")}));
    const std::string before = readBytes();
    ComponentList many(2000, sample(u"Новый компонент с длинным именем", u"-"));

    // The disk fills half way through the new content, or the rename fails.
    struct Fault {
        testing_support::Op op;
        int code;
        int onCall;
    };
    for (const Fault& fault : {Fault{testing_support::Op::Write, ENOSPC, 2},
                               Fault{testing_support::Op::Fsync, EIO, 1},
                               Fault{testing_support::Op::Rename, EXDEV, 1}}) {
        testing_support::FaultyCalls faults;
        faults.failing = fault.op;
        faults.failCode = fault.code;
        faults.failOnCall = fault.onCall;
        faults.writeCap = 4096;
        ComponentTableSaveError error;
        bool saved = true;
        {
            platform::ScopedFileSystemCalls scope(faults);
            saved = ComponentTable::save(tablePath(), many, &error);
        }
        EXPECT_FALSE(saved);
        EXPECT_EQ(error.kind, ComponentTableSaveError::Kind::WriteFailed);
        EXPECT_EQ(error.systemError, fault.code);
        EXPECT_NE(error.message.find(tablePath()), std::u16string::npos);
        EXPECT_EQ(readBytes(), before);
        // No temporary file is left behind.
        EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()), 1);
    }

    // A missing folder cannot take the file.
    ComponentTableSaveError error;
    EXPECT_FALSE(ComponentTable::save(platform::fromNativePath((root / "missing" / "t.csv").string()), many, &error));
    EXPECT_EQ(error.kind, ComponentTableSaveError::Kind::WriteFailed);
    EXPECT_FALSE(ComponentTable::save(u"", many, &error));
    EXPECT_EQ(error.kind, ComponentTableSaveError::Kind::NoPath);
}

TEST_F(ComponentTableFile, SavingFollowsASymlinkAndRefusesAReadOnlyTable)
{
    // The lab keeps the real table elsewhere and links it into the public folder.
    const fs::path real = root / "lab-table.csv";
    writeBytes(header + "\r\n");
    fs::rename(path, real);
    fs::create_symlink(real, path);
    ASSERT_TRUE(ComponentTable::save(tablePath(), {sample(u"Бензол", u"-")}));
    EXPECT_TRUE(fs::is_symlink(path));
    ComponentList read;
    ASSERT_TRUE(ComponentTable::load(read));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].name, u"Бензол");

    // A table marked read-only is not replaced, even by a user the kernel would let through.
    fs::permissions(real, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string before = readBytes();
    ComponentTableSaveError error;
    EXPECT_FALSE(ComponentTable::save(tablePath(), {sample(u"Толуол", u"-")}, &error));
    EXPECT_EQ(error.systemError, EACCES);
    EXPECT_NE(error.message.find(u"read-only"), std::u16string::npos);
    EXPECT_EQ(readBytes(), before);
}

TEST_F(ComponentTableFile, ATableThatIsNoRegularFileIsRefusedWithItsReason)
{
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);  // nobody writes: reading it must not wait
    struct Case {
        std::u16string path;
        int code;
    };
    const Case cases[] = {
        {tablePath(), EINVAL},
        {platform::fromNativePath(root.string()), EISDIR},
        {u"/dev/zero", EINVAL},
        {platform::fromNativePath((root / "absent.csv").string()), ENOENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(platform::nativePath(c.path));
        ComponentList list{sample(u"x", u"-")};
        platform::FileError error;
        EXPECT_FALSE(ComponentTable::loadFrom(c.path, list, &error));
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(error.code, c.code);
        EXPECT_NE(error.message.find(c.path), std::u16string::npos);
    }
}

TEST_F(ComponentTableFile, SavingKeepsTheFilePermissions)
{
    writeBytes(header + "\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    ASSERT_TRUE(ComponentTable::save(tablePath(), {sample(u"a", u"-")}));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write |
                  fs::perms::others_read | fs::perms::others_write);
}
