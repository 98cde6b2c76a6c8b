#pragma once
// Everything one calculation pass produces. The result holds copies of what it shows (names
// included), never references into the workspace or the component table.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/SharedName.h"

// The outcome for one component in one calibration chromatogram.
struct IdentificationRow {
    SharedName name;            // the component's name
    int32_t mainChannel = 1;
    double refTime1 = 0;        // reference retention time on channel 1
    double peakTime1 = 0;       // time of the peak found in the channel-1 window; 0 when none
    bool found1 = false;
    double refTime2 = 0;
    double peakTime2 = 0;
    bool found2 = false;
    double area = 0;            // area of the peak found on the main channel; 0 when none
    double concentration = 0;   // the concentration the chromatogram's peak table gives that peak
    bool identified = false;
};

// Areas measured at one concentration, averaged.
struct CalibrationPoint {
    double concentration = 0;
    double meanArea = 0;
    int32_t measurements = 0;
};

// A component's calibration lines: concentration = k1 * area + k0, and concentration = k1Origin * area.
struct CalibrationRow {
    std::u16string name;
    int32_t mainChannel = 1;
    double k0 = 0;
    double k1 = 0;
    double k1Origin = 0;
    int32_t pointCount = 0;
    bool fitted = false;
    std::vector<CalibrationPoint> points;  // ascending concentration
};

// A component's concentration in the two analysis chromatograms.
struct QuantitationRow {
    std::u16string name;
    int32_t mainChannel = 1;
    double concentration = 0;   // mean over the contributing chromatograms; 0 when not valid
    int32_t contributions = 0;  // 0, 1 or 2
    bool valid = false;
    bool detected = false;      // some analysis chromatogram holds a peak of the component's name
};

using IdentificationList = std::vector<IdentificationRow>;

struct CalculationResult {
    // Calibration chromatograms only, by assay id; one row per component in table order.
    std::map<int32_t, IdentificationList> identification;
    std::vector<CalibrationRow> calibration;     // one row per component
    std::vector<QuantitationRow> quantitation;   // one row per component, or empty
    bool hasCalibration = false;                 // the workspace holds a calibration chromatogram

    // The rows of one assay; an empty list for an analysis chromatogram or an unknown id.
    const IdentificationList& identificationOf(int32_t assayId) const;
};
