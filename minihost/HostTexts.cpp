#include "HostTexts.h"

#include <array>
#include <utility>

namespace {

struct Entry {
    HostText text;
    const char* russian;
    const char* english;
};

constexpr Entry kTexts[] = {
    {HostText::MainWindowTitle, "Vantrel (minihost)", "Vantrel (minihost)"},
    {HostText::MainWindowNote, "Замена хоста Vantrel. Команды модулей находятся в меню.",
     "Vantrel host stand-in. Plug-in commands are in the menus."},
    {HostText::AssayDialogTitle, "Открыть анализы", "Open assays"},
    {HostText::FileNameColumn, "Имя файла", "File name"},
    {HostText::SampleColumn, "Проба", "Sample"},
    {HostText::MixtureColumn, "Смесь", "Mixture"},
    {HostText::DateColumn, "Дата", "Date"},
    {HostText::TypeColumn, "Тип", "Type"},
    {HostText::CalibrationType, "Градуировка", "Calibration"},
    {HostText::AnalysisType, "Анализ", "Analysis"},
    {HostText::AssayCount, "Анализов: %1 в %2", "%1 assays in %2"},
    {HostText::DatabaseUnreadable, "Базу данных хоста нельзя прочитать: %1", "The host database cannot be read: %1"},
    {HostText::OkButton, "ОК", "OK"},
    {HostText::CancelButton, "Отмена", "Cancel"},
    {HostText::ViewerTitle, "Хроматограмма - %1", "Chromatogram - %1"},
    {HostText::ChromatogramUnreadable, "Файл хроматограммы нельзя прочитать (код %1):\n%2",
     "The chromatogram file cannot be read (code %1):\n%2"},
    {HostText::NoChannel, "В файле нет ни одного канала.", "The file holds no channel."},
    {HostText::ChannelColumn, "Канал", "Channel"},
    {HostText::PeakNumberColumn, "№", "No."},
    {HostText::PeakNameColumn, "Название", "Name"},
    {HostText::TimeColumn, "Время, мин", "Time, min"},
    {HostText::AreaColumn, "Площадь", "Area"},
    {HostText::HeightColumn, "Высота", "Height"},
    {HostText::ChannelCaption, "Канал %1", "Channel %1"},
};

} // namespace

QString hostText(HostText text, int language)
{
    for (const Entry& entry : kTexts)
        if (entry.text == text)
            return QString::fromUtf8(language == 1033 ? entry.english : entry.russian);
    return QString();
}
