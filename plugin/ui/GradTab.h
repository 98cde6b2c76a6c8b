#pragma once
// The calibration page of the main window: for one component at a time, its calibration points
// (concentration against mean peak area), the fitted coefficients of the chosen model, and a
// chart of the points with the fitted line. It changes nothing in the data; every recalculation
// hands it the new calibration rows through refresh().
#include "engine/CalculationResult.h"
#include "ui/TemplatePage.h"

#include <string>
#include <vector>

class QComboBox;
class QLabel;

namespace controls {
class CAutoCtrl;
class CGridCtrl;
} // namespace controls

namespace ui {

class GradTab : public TemplatePage {
public:
    static constexpr int kTemplateId = 134;
    static constexpr int kPointList = 1027;
    static constexpr int kChart = 1029;
    static constexpr int kComponentCombo = 1030;
    static constexpr int kModelCombo = 1031;
    static constexpr int kCoefficientLabel = 1032;

    // Item data of the model combo.
    static constexpr int kModelWithIntercept = 1;   // "k1*A + k0"
    static constexpr int kModelThroughOrigin = 0;   // "k1*A"

    explicit GradTab(QWidget* parent = nullptr);
    ~GradTab() override;

    // Takes the calibration rows of a new pass (one per component, in table order) and shows the
    // component at the same table position as before, or the first in the list.
    void refresh(const std::vector<CalibrationRow>& calibration);

    const std::vector<CalibrationRow>& rows() const { return rows_; }
    // What the chart's two series point at: the line's two end points and the points.
    const std::vector<double>& lineX() const { return lineX_; }
    const std::vector<double>& lineY() const { return lineY_; }
    const std::vector<double>& pointX() const { return pointX_; }
    const std::vector<double>& pointY() const { return pointY_; }

    controls::CGridCtrl* pointList() const { return pointList_; }
    controls::CAutoCtrl* chart() const { return chart_; }
    QComboBox* componentCombo() const { return componentCombo_; }
    QComboBox* modelCombo() const { return modelCombo_; }
    QLabel* coefficientLabel() const { return coefficientLabel_; }

private:
    void setUpPointList();
    void setUpChart();
    void setUpModelCombo();

    void fillComponentCombo();
    void fillPointList();
    void updateCoefficientLabel();
    void updateChart();

    // The table index of the selected component; -1 when nothing valid is selected.
    int selectedRowIndex() const;
    // The selected model; the model with intercept when nothing is selected.
    int selectedModel() const;

    void onComponentChanged();
    void onModelChanged();

    std::vector<CalibrationRow> rows_;
    // The names the component combo was filled from, in table order.
    std::vector<std::u16string> comboNames_;
    // The chart reads these arrays only while it paints, which it never does once the page is being
    // destroyed; they change only in updateChart(), which then asks for a repaint.
    std::vector<double> lineX_;
    std::vector<double> lineY_;
    std::vector<double> pointX_;
    std::vector<double> pointY_;

    controls::CGridCtrl* pointList_ = nullptr;
    controls::CAutoCtrl* chart_ = nullptr;
    QComboBox* componentCombo_ = nullptr;
    QComboBox* modelCombo_ = nullptr;
    QLabel* coefficientLabel_ = nullptr;
    // Set while the page refills a combo itself, so that only the analyst's choices count as
    // selection changes.
    bool filling_ = false;
};

} // namespace ui
