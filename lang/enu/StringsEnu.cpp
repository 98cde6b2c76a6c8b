// English string table.
#include "EnuTables.h"

namespace enu {

const resources::StringEntry kStrings[] = {
    {104, u"Data/Calculations/Dvinar"},
    {105, u"Add chromatograms"},
    {106, u"Remove chromatogram"},
    {107, u"Remove all chromatograms"},
    {108, u"Open chromatogram"},
    {109, u"Components"},
    {110, u"Settings"},
    {111, u"Report"},
    {112, u"Save report"},
    {113, u"About"},
    {114, u"No."},
    {115, u"File name"},
    {116, u"Sample"},
    {117, u"Mixture"},
    {118, u"Chromatogram type"},
    {119, u"Analysis"},
    {120, u"Calibration"},
    {121, u"Chromatogram info"},
    {122, u"Component"},
    {123, u"Peak area"},
    {124, u"Retention time"},
    {126, u"Name"},
    {127, u"Alt. name"},
    {128, u"Retention time (channel 1)"},
    {129, u"Retention time (channel 2)"},
    {130, u"Channel 1 window, %"},
    {131, u"Channel 2 window, %"},
    {132, u"Main channel"},
    {133, u"Dev. %"},
    {134, u"Status"},
    {135, u"Time channel 1 found"},
    {136, u"Time channel 1 calib."},
    {137, u"Time channel 2 found"},
    {138, u"Time channel 2 calib."},
    {139, u"Identification"},
    {141, u"Channel 1 window, min"},
    {142, u"Channel 2 window, min"},
    {143, u"Messages"},
    {144, u"Time channel 1 table"},
    {145, u"Time channel 2 table"},
    {146, u"Concentration, mg/dm3"},
    {147, u"Calculation"},
};
const int32_t kStringCount = static_cast<int32_t>(sizeof kStrings / sizeof kStrings[0]);

} // namespace enu
