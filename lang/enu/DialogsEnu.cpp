// English texts of the dialog templates. The controls, their order and their geometry are the
// plug-in's own (DialogLayouts.h), so that the windows' code and layout serve both languages.
#include "EnuTables.h"

#include "resources/DialogLayouts.h"

namespace enu {
namespace {

struct EnglishTexts {
    static constexpr const char16_t* close = u"Close";
    static constexpr const char16_t* channel1 = u"Channel 1";
    static constexpr const char16_t* channel2 = u"Channel 2";
    static constexpr const char16_t* componentsCaption = u"Components";
    static constexpr const char16_t* addComponent = u"Add component";
    static constexpr const char16_t* deleteComponent = u"Delete component";
    static constexpr const char16_t* save = u"Save";
    static constexpr const char16_t* cancel = u"Cancel";
    static constexpr const char16_t* settingsCaption = u"Settings";
    static constexpr const char16_t* windowsGroup = u"Retention time search windows";
    static constexpr const char16_t* windowUnits = u"Window units:";
    static constexpr const char16_t* inPercent = u"in percent (%)";
    static constexpr const char16_t* inMinutes = u"in minutes (min)";
    static constexpr const char16_t* deviationGroup = u"Peak area ratio control";
    static constexpr const char16_t* checkDeviation = u"check the deviation between channels";
    static constexpr const char16_t* reportGroup = u"Report settings";
    static constexpr const char16_t* hideNotFound = u"Hide undetected components";
    static constexpr const char16_t* componentCaption = u"Component:";
    static constexpr const char16_t* aboutCaption = u"About";
    static constexpr const char16_t* version = u"Version: 1.0.0.0";
};

using English = resources::DialogLayouts<EnglishTexts>;

} // namespace

const resources::DialogTemplate* const kDialogs = English::dialogs;
const int32_t kDialogCount = English::dialogCount;

} // namespace enu
