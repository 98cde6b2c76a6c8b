#include "HostTexts.h"

#include <string_view>

namespace {

// The importer's texts and their Russian. %1…%9 stand for what the text quotes (a name, a path, a
// count, a system message), taken over as it is; %T stands for a text of its own, translated too.
struct ImportEntry {
    const char* english;
    const char* russian;
};

constexpr ImportEntry kImportTexts[] = {
    // Which inputs are imported at all.
    {"a pair is written A+B, with exactly two files", "пара записывается как A+B, ровно из двух файлов"},
    {"%1 files share the sample name and injection time; an injection has at most two channels, pair them with A+B",
     "одинаковые имя пробы и время ввода у файлов: %1; у ввода не больше двух каналов, объедините их парами A+B"},
    {"not imported: the database failed on an earlier input", "не импортировано: база данных отказала на одном из предыдущих файлов"},
    {"not enough memory to import this input", "недостаточно памяти для импорта"},
    {"not enough memory to store the chromatogram file", "недостаточно памяти, чтобы сохранить файл хроматограммы"},
    {"the chromatogram file could not be stored", "файл хроматограммы не удалось сохранить"},
    {"database error: %1", "ошибка базы данных: %1"},
    {"%T; the database row could not be withdrawn: %1", "%T; запись в базе данных не удалось удалить: %1"},
    // Reading the input file.
    {"file not found", "файл не найден"},
    {"no permission to read the file", "нет прав на чтение файла"},
    {"a folder, not a file", "это папка, а не файл"},
    {"the file is too large to be a chromatogram", "файл слишком велик для хроматограммы"},
    {"cannot be read", "файл не читается"},
    {"not a netCDF file", "не файл netCDF"},
    {"not a readable netCDF file (%1)", "файл netCDF не читается (%1)"},
    {"unknown netCDF format version", "неизвестная версия формата netCDF"},
    {"damaged netCDF header: the file is truncated or not what it claims", "заголовок netCDF повреждён: файл обрезан или не тот, за кого себя выдаёт"},
    {"damaged netCDF header: the file is truncated", "заголовок netCDF повреждён: файл обрезан"},
    {"mass-spectrometry file; only chromatography files can be imported",
     "файл масс-спектрометрии; импортировать можно только хроматографические файлы"},
    {"neither a raw signal (ordinate_values) nor a peak table", "нет ни исходного сигнала (ordinate_values), ни таблицы пиков"},
    {"neither a raw signal (ordinate_values) nor a peak table: %T", "нет ни исходного сигнала (ordinate_values), ни таблицы пиков: %T"},
    {"raw signal not taken: %T", "исходный сигнал не взят: %T"},
    {"peak table not taken: %T", "таблица пиков не взята: %T"},
    {"peak names not taken: %T", "названия пиков не взяты: %T"},
    {"not one name per peak", "названий не по одному на пик"},
    {"\"%1\" is missing", "нет «%1»"},
    {"\"%1\" is missing or not positive", "«%1» нет или оно не больше нуля"},
    {"\"%1\" holds text instead of numbers", "в «%1» текст вместо чисел"},
    {"\"%1\" is not a list of texts", "«%1» — не список текстов"},
    {"\"%1\" is cut short: the file is truncated", "«%1» не полон: файл обрезан"},
    {"\"%1\" cannot be read, the file may be truncated (%2)", "«%1» не читается, возможно, файл обрезан (%2)"},
    {"\"%1\" holds no points", "в «%1» нет ни одной точки"},
    {"\"%1\" and \"%2\" differ in length", "длины «%1» и «%2» различаются"},
    {"\"%1\" holds a time that is not a number", "в «%1» время, которое не является числом"},
    {"the times in \"%1\" do not increase", "времена в «%1» не возрастают"},
    {"\"%1\" does not have one value per peak", "в «%1» значений не по одному на пик"},
    {"\"%1\" is not a number; 0 was used", "«%1» — не число; взят 0"},
    {"%1 raw signal points had no value and repeat the point before them",
     "точек исходного сигнала без значения: %1; они повторяют предыдущую точку"},
    {"peak start and end times are point numbers; converted with the sampling interval",
     "начала и концы пиков заданы номерами точек; пересчитаны по интервалу дискретизации"},
    {"%1 peaks have no %T (infinite, NaN, -9999 or unset); stored as 0",
     "пиков без значения %T (бесконечность, NaN, -9999 или не задано): %1; записан 0"},
    {"amount", "количества"},
    {"area", "площади"},
    {"height", "высоты"},
    {"%1 peaks have no retention time and were left out", "пиков без времени удерживания: %1; они пропущены"},
    {"injection time \"%1\" is not a valid date; %2 \"%3\" was used instead (as UTC)",
     "время ввода «%1» — недопустимая дата; вместо него взято %2 «%3» (как UTC)"},
    {"injection time \"%1\" is not a valid date; the file's modification time was used instead",
     "время ввода «%1» — недопустимая дата; вместо него взято время изменения файла"},
    {"channel %1: %T", "канал %1: %T"},
    {"no raw signal to integrate; the file's peak table was kept", "нет исходного сигнала для интегрирования; оставлена таблица пиков из файла"},
    // Writing the chromatogram file.
    {"cannot create the folder %1 (%T)", "не удаётся создать папку %1 (%T)"},
    {"cannot create a file in %1 (%T)", "не удаётся создать файл в папке %1 (%T)"},
    {"no free file name for the chromatogram", "нет свободного имени файла для хроматограммы"},
    {"cannot write the chromatogram file: %T", "не удаётся записать файл хроматограммы: %T"},
    {"cannot store the chromatogram file: %T", "не удаётся сохранить файл хроматограммы: %T"},
    {"Cannot write \"%1\": %T", "Не удаётся записать «%1»: %T"},
    {"Cannot save \"%1\": %T", "Не удаётся сохранить «%1»: %T"},
    {"Cannot create \"%1\": %T", "Не удаётся создать «%1»: %T"},
    {"Cannot create a temporary file to save \"%1\": %T", "Не удаётся создать временный файл, чтобы сохранить «%1»: %T"},
    {"Cannot keep the permissions of \"%1\": %T", "Не удаётся сохранить права доступа «%1»: %T"},
    {"Saved, but cannot make durable the folder of \"%1\": %T", "Сохранено, но папку «%1» не удаётся надёжно записать на диск: %T"},
    {"it is a folder", "это папка"},
    {"it is not a regular file", "это не обычный файл"},
    {"the file is read-only", "файл только для чтения"},
    // The system's reasons most often met.
    {"No space left on device", "на устройстве не осталось места"},
    {"Disk quota exceeded", "превышена дисковая квота"},
    {"Input/output error", "ошибка ввода-вывода"},
    {"Permission denied", "отказано в доступе"},
    {"Read-only file system", "файловая система только для чтения"},
    {"No such file or directory", "нет такого файла или папки"},
    {"Not a directory", "не папка"},
    {"File name too long", "слишком длинное имя файла"},
};

struct Capture {
    char slot;  // '1'…'9' or 'T'
    std::string_view text;
};

bool isSlot(std::string_view pattern)
{
    return pattern.size() >= 2 && pattern[0] == '%' && ((pattern[1] >= '1' && pattern[1] <= '9') || pattern[1] == 'T');
}

// Whether `text` is `pattern` with its slots filled (each by at least one character); the fillings
// in `captures`. The first way that fits wins, shortest fillings first.
bool matches(std::string_view pattern, std::string_view text, std::vector<Capture>& captures)
{
    if (pattern.empty())
        return text.empty();
    if (!isSlot(pattern))
        return !text.empty() && text.front() == pattern.front() && matches(pattern.substr(1), text.substr(1), captures);
    const std::string_view rest = pattern.substr(2);
    for (std::size_t length = 1; length <= text.size(); ++length) {
        captures.push_back({pattern[1], text.substr(0, length)});
        if (matches(rest, text.substr(length), captures))
            return true;
        captures.pop_back();
    }
    return false;
}

QString translated(std::string_view english, int depth)
{
    // A text nests another at most a few levels deep; the bound keeps a strange text cheap.
    if (depth < 4) {
        for (const ImportEntry& entry : kImportTexts) {
            std::vector<Capture> captures;
            if (!matches(entry.english, english, captures))
                continue;
            QString result;
            for (std::string_view russian = entry.russian; !russian.empty();) {
                if (!isSlot(russian)) {
                    // Up to the next slot, so that multi-byte letters go over whole.
                    const std::size_t next = russian.find('%', 1);
                    const std::string_view piece = russian.substr(0, next);
                    result += QString::fromUtf8(piece.data(), static_cast<qsizetype>(piece.size()));
                    russian.remove_prefix(piece.size());
                    continue;
                }
                for (const Capture& capture : captures) {
                    if (capture.slot != russian[1])
                        continue;
                    result += capture.slot == 'T' ? translated(capture.text, depth + 1)
                                                  : QString::fromUtf8(capture.text.data(), static_cast<qsizetype>(capture.text.size()));
                    break;
                }
                russian.remove_prefix(2);
            }
            return result;
        }
    }
    return QString::fromUtf8(english.data(), static_cast<qsizetype>(english.size()));
}

} // namespace

QString hostImportText(const std::string& english, int language, const std::vector<std::string>& files)
{
    if (language == 1033)
        return QString::fromStdString(english);
    for (const std::string& file : files) {
        const std::string prefix = file + ": ";
        if (english.size() > prefix.size() && english.compare(0, prefix.size(), prefix) == 0)
            return QString::fromStdString(prefix) + translated(std::string_view(english).substr(prefix.size()), 0);
    }
    return translated(english, 0);
}
