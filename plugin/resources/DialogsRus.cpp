// The plug-in's own (Russian) texts of the dialog templates; the geometry is DialogLayouts.h's.
#include "resources/BuiltInTables.h"
#include "resources/DialogLayouts.h"

namespace resources {
namespace {

struct RussianTexts {
    static constexpr const char16_t* close = u"Закрыть";
    static constexpr const char16_t* channel1 = u"Канал 1";
    static constexpr const char16_t* channel2 = u"Канал 2";
    static constexpr const char16_t* componentsCaption = u"Компоненты";
    static constexpr const char16_t* addComponent = u"Добавить компонент";
    static constexpr const char16_t* deleteComponent = u"Удалить компонент";
    static constexpr const char16_t* save = u"Сохранить";
    static constexpr const char16_t* cancel = u"Отмена";
    static constexpr const char16_t* settingsCaption = u"Настройки";
    static constexpr const char16_t* windowsGroup = u"Окна поиска по времени удерживания";
    static constexpr const char16_t* windowUnits = u"Единицы окна:";
    static constexpr const char16_t* inPercent = u"в процентах (%)";
    static constexpr const char16_t* inMinutes = u"в минутах (мин)";
    static constexpr const char16_t* deviationGroup = u"Контроль соотношения площадей";
    static constexpr const char16_t* checkDeviation = u"контролировать отклонение между каналами";
    static constexpr const char16_t* reportGroup = u"Настройки отчета";
    static constexpr const char16_t* hideNotFound = u"Скрывать необнаруженные компоненты";
    static constexpr const char16_t* componentCaption = u"Компонент:";
    static constexpr const char16_t* aboutCaption = u"О плагине";
    static constexpr const char16_t* version = u"Версия: 1.0.0.0";
};

using Russian = DialogLayouts<RussianTexts>;

} // namespace

const DialogTemplate* const kDialogsRus = Russian::dialogs;
const int32_t kDialogsRusCount = Russian::dialogCount;

} // namespace resources
