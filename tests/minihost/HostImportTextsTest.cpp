// The importer's refusal reasons and warnings in the Russian host: the table's translations, nested
// texts, pair prefixes, and the texts a real import writes, every one of them translated.
#include "AndiImporter.h"
#include "AndiTestFile.h"
#include "HostTexts.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <cmath>
#include <fstream>

namespace {

constexpr int russian = 1049;
constexpr int english = 1033;

TEST(HostImportTexts, TranslatesTheTableNestedTextsAndPairPrefixes)
{
    const struct Case {
        const char* english;
        std::vector<std::string> files;
        const char* russian;
    } cases[] = {
        {"file not found", {}, "файл не найден"},
        {"channel 2: peak table not taken: \"peak_area\" is missing", {}, "канал 2: таблица пиков не взята: нет «peak_area»"},
        {"/data/run 7.cdf: mass-spectrometry file; only chromatography files can be imported",
         {"/data/run 6.cdf", "/data/run 7.cdf"},
         "/data/run 7.cdf: файл масс-спектрометрии; импортировать можно только хроматографические файлы"},
        {"3 peaks have no amount (infinite, NaN, -9999 or unset); stored as 0", {},
         "пиков без значения количества (бесконечность, NaN, -9999 или не задано): 3; записан 0"},
        // Three texts deep, the system's reason included.
        {"cannot store the chromatogram file: Cannot save \"/x/a.stg\": Input/output error; the database row could not be withdrawn: disk I/O error",
         {},
         "не удаётся сохранить файл хроматограммы: Не удаётся сохранить «/x/a.stg»: ошибка ввода-вывода; запись в базе данных не удалось удалить: disk I/O error"},
        {"cannot store the chromatogram file: Saved, but cannot make durable the folder of \"/x/run.stg\": No space left on device", {},
         "не удаётся сохранить файл хроматограммы: Сохранено, но папку «/x/run.stg» не удаётся надёжно записать на диск: на устройстве не осталось места"},
        // A quoted path that holds the text's own separators.
        {"cannot write the chromatogram file: Cannot write \"/a: b/x.stg\": Disk quota exceeded", {},
         "не удаётся записать файл хроматограммы: Не удаётся записать «/a: b/x.stg»: превышена дисковая квота"},
        {"injection time \"1900,01,01,00:00:00+0000\" is not a valid date; HP_injection_time \"12-Mar-24, 08:30:00\" was used instead (as UTC)", {},
         "время ввода «1900,01,01,00:00:00+0000» — недопустимая дата; вместо него взято HP_injection_time «12-Mar-24, 08:30:00» (как UTC)"},
        {"\"actual_sampling_interval\" is missing or not positive", {}, "«actual_sampling_interval» нет или оно не больше нуля"},
        // An unknown system reason inside a known text stays as the system wrote it.
        {"cannot create the folder /srv/store (Stale file handle)", {}, "не удаётся создать папку /srv/store (Stale file handle)"},
        // Unknown texts stay English, and so does a prefix that is not one of the files.
        {"a text nobody has written yet", {}, "a text nobody has written yet"},
        {"/other.cdf: file not found", {"/data/a.cdf"}, "/other.cdf: file not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.english);
        EXPECT_EQ(hostImportText(c.english, russian, c.files).toStdString(), c.russian);
        EXPECT_EQ(hostImportText(c.english, english, c.files).toStdString(), c.english);
    }
}

// What remains of a translation once quoted names, paths and the words a Russian text keeps
// (format and variable names) are taken out: no English word may be left.
QString englishLeftIn(QString text, const std::vector<std::string>& paths)
{
    for (const std::string& path : paths)
        text.remove(QString::fromStdString(path));
    text.remove(QRegularExpression(QStringLiteral("«[^»]*»")));
    for (const char* kept : {"netCDF", "ordinate_values", "NaN", "UTC", "A+B"})
        text.remove(QString::fromUtf8(kept));
    const QRegularExpressionMatch word = QRegularExpression(QStringLiteral("[A-Za-z]{3,}")).match(text);
    return word.hasMatch() ? word.captured() : QString();
}

// Real imports of broken, odd and mismatched files: every reason and warning they give is in the
// table, however it was put together.
TEST(HostImportTexts, EveryTextOfARealImportIsTranslated)
{
    const std::string folder = testFolder("host-import-texts");
    auto table = [](const std::string& sample) {
        AndiTestFile f;
        f.times = {72, 150, 240};
        f.areas = {1000, 2000, 500};
        f.text["sample_name"] = sample;
        return f;
    };
    AndiTestFile good = table("Good");
    good.signal.assign(200, 1.0);
    const std::string goodPath = good.write(folder + "/good.cdf");
    AndiTestFile ms = table("MS");
    ms.massSpectrometry = true;
    const std::string msPath = ms.write(folder + "/ms.cdf");
    AndiTestFile odd = table("Odd");
    odd.text["injection_date_time_stamp"] = "1900,01,01,00:00:00+0000";
    odd.amounts = std::vector<double>{std::nan(""), 1, -9999};
    odd.signal.assign(200, 1.0);
    odd.interval = 0;  // the signal cannot be placed in time
    const std::string oddPath = odd.write(folder + "/odd.cdf");
    AndiTestFile empty;
    empty.peakDimension = PeakDimension::Absent;
    const std::string emptyPath = empty.write(folder + "/empty.cdf");
    std::vector<std::string> triple;
    for (const char* name : {"t1", "t2", "t3"}) {
        AndiTestFile f = table("Triple");
        f.text["detector_name"] = name;
        triple.push_back(f.write(folder + "/" + name + ".cdf"));
    }
    const std::string notes = folder + "/notes.cdf";
    std::ofstream(notes) << "not a chromatogram";

    ImportOptions options;
    options.database = folder + "/host.db";
    options.autoPair = true;
    options.reintegrate = true;  // the table-only files have no signal to integrate
    std::vector<std::string> inputs = {msPath, notes, folder + "/missing.cdf", folder, goodPath + "+" + msPath, oddPath, emptyPath,
                                       goodPath + "+"};
    inputs.insert(inputs.end(), triple.begin(), triple.end());
    const std::vector<ImportOutcome> outcomes = AndiImporter(options).importAll(inputs);

    std::size_t texts = 0;
    for (const ImportOutcome& outcome : outcomes) {
        std::vector<std::string> paths = outcome.files;
        paths.push_back(folder);
        std::vector<std::pair<std::string, QString>> pairs;
        if (!outcome.refusal.empty())
            pairs.emplace_back(outcome.refusal, hostImportText(outcome.refusal, russian, outcome.files));
        for (const std::string& warning : outcome.warnings)
            pairs.emplace_back(warning, hostImportText(warning, russian));
        for (const auto& [text, translation] : pairs) {
            ++texts;
            EXPECT_TRUE(englishLeftIn(translation, paths).isEmpty())
                << text << "\n  -> " << translation.toStdString() << "\n  left: " << englishLeftIn(translation, paths).toStdString();
        }
    }
    // The inputs above give at least this many reasons and warnings; fewer would mean they no
    // longer reach what this test is about.
    EXPECT_GE(texts, 14u);
}

} // namespace
