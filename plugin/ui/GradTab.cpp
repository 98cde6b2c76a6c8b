#include "ui/GradTab.h"

#include "platform/Format.h"
#include "ui/SortedComboBox.h"
#include "ui/UiText.h"
#include "ui/controls/CAutoCtrl.h"
#include "ui/controls/CGridCtrl.h"

#include <QComboBox>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

using controls::CAutoCtrl;
using controls::CGridCtrl;

constexpr int kNumberTitle = 114;   // "№"
constexpr std::size_t kTitleLimit = 255;
constexpr controls::COLORREF kBlue = controls::rgbColor(0, 0, 255);
constexpr controls::COLORREF kRed = controls::rgbColor(255, 0, 0);

QString formatted(std::u16string_view format, std::initializer_list<platform::FormatArg> args)
{
    return QString::fromStdU16String(platform::format(format, args));
}

// The frame of the page's custom control becomes the chart; its list becomes a grid as on
// every page.
QWidget* makeChart(const resources::DialogControl& control, QWidget* parent)
{
    if (control.id == GradTab::kChart && control.kind == resources::ControlKind::Custom)
        return new CAutoCtrl(parent, control.id);
    return nullptr;
}

} // namespace

GradTab::GradTab(QWidget* parent) : TemplatePage(kTemplateId, parent, makeChart)
{
    pointList_ = grid(kPointList);
    chart_ = findControlAs<CAutoCtrl>(this, kChart);
    componentCombo_ = findControlAs<QComboBox>(this, kComponentCombo);
    modelCombo_ = findControlAs<QComboBox>(this, kModelCombo);
    coefficientLabel_ = findControlAs<QLabel>(this, kCoefficientLabel);

    setUpPointList();
    setUpChart();
    setUpModelCombo();

    if (componentCombo_)
        connect(componentCombo_, &QComboBox::currentIndexChanged, this, [this] { onComponentChanged(); });
    if (modelCombo_)
        connect(modelCombo_, &QComboBox::currentIndexChanged, this, [this] { onModelChanged(); });
}

GradTab::~GradTab() = default;

void GradTab::setUpPointList()
{
    if (!pointList_)
        return;
    pointList_->setExtendedStyle(CGridCtrl::GridLines | CGridCtrl::FullRowSelect);
    pointList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pointList_->insertColumnFromResource(0, kNumberTitle, 30);
    pointList_->insertColumnTitled(1, QStringLiteral("Концентрация, мг/дм3"), 130);
    pointList_->insertColumnTitled(2, QStringLiteral("Ср. площадь"), 110);
    pointList_->insertColumnTitled(3, QStringLiteral("Измерений"), 80);
}

void GradTab::setUpChart()
{
    if (!chart_)
        return;
    chart_->axisStyle = controls::AxisClosedFrame;
    chart_->xTitle = std::u16string(u"Площадь").substr(0, kTitleLimit);
    chart_->yTitle = std::u16string(u"Концентрация").substr(0, kTitleLimit);
    chart_->titleColor = kBlue;

    controls::CAutoSeries& line = chart_->series[chart_->addSeries()];
    line.color = kRed;
    line.lineMode = 1;
    line.penStyle = controls::PenSolid;
    line.penWidth = 2;
    line.markerStyle = controls::MarkerNone;

    controls::CAutoSeries& points = chart_->series[chart_->addSeries()];
    points.color = kBlue;
    points.lineMode = 0;
    points.markerStyle = controls::MarkerDiagonalCross;
    points.markerSize = 5;
}

void GradTab::setUpModelCombo()
{
    if (!modelCombo_)
        return;
    filling_ = true;
    addSortedItem(*modelCombo_, QStringLiteral("k1*A + k0"), kModelWithIntercept);
    addSortedItem(*modelCombo_, QStringLiteral("k1*A"), kModelThroughOrigin);
    modelCombo_->setCurrentIndex(findItemByData(*modelCombo_, kModelWithIntercept));
    filling_ = false;
}

void GradTab::refresh(const std::vector<CalibrationRow>& calibration)
{
    if (&calibration != &rows_)
        rows_ = calibration;
    fillComponentCombo();
    fillPointList();
    updateCoefficientLabel();
    updateChart();
}

void GradTab::fillComponentCombo()
{
    if (!componentCombo_)
        return;
    filling_ = true;
    const int remembered = selectedItemData(*componentCombo_, -1);
    // The combo's items follow from the names in table order alone: the same names give the same
    // sorted items with the same data, and the combo keeps them (and its selection) as they are.
    const bool sameNames = comboNames_.size() == rows_.size()
        && std::equal(rows_.begin(), rows_.end(), comboNames_.begin(),
                      [](const CalibrationRow& row, const std::u16string& name) { return row.name == name; })
        && componentCombo_->count() == static_cast<int>(rows_.size());
    if (!sameNames) {
        std::vector<std::pair<QString, int>> names;
        std::vector<std::u16string> filledFrom;
        names.reserve(rows_.size());
        filledFrom.reserve(rows_.size());
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            names.emplace_back(toQString(rows_[i].name), static_cast<int>(i));
            filledFrom.push_back(rows_[i].name);
        }
        comboNames_.clear();
        fillSortedItems(*componentCombo_, names);
        comboNames_ = std::move(filledFrom);
    }
    if (componentCombo_->count() > 0) {
        const int found = findItemByData(*componentCombo_, remembered);
        componentCombo_->setCurrentIndex(found >= 0 ? found : 0);
    }
    filling_ = false;
}

int GradTab::selectedRowIndex() const
{
    if (!componentCombo_)
        return -1;
    const int index = selectedItemData(*componentCombo_, -1);
    return index >= 0 && static_cast<std::size_t>(index) < rows_.size() ? index : -1;
}

int GradTab::selectedModel() const
{
    return modelCombo_ ? selectedItemData(*modelCombo_, kModelWithIntercept) : kModelWithIntercept;
}

void GradTab::fillPointList()
{
    if (!pointList_)
        return;
    pointList_->deleteAllRows();
    const int index = selectedRowIndex();
    if (index < 0)
        return;
    const std::vector<CalibrationPoint>& points = rows_[static_cast<std::size_t>(index)].points;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const int row = pointList_->insertRowAt(static_cast<int>(i));
        if (row < 0)
            continue;
        pointList_->setCellInt(row, 0, static_cast<int>(i) + 1);
        pointList_->setCellFormatted(row, 1, u"%.4g", points[i].concentration);
        pointList_->setCellFormatted(row, 2, u"%.1f", points[i].meanArea);
        pointList_->setCellInt(row, 3, points[i].measurements);
    }
}

void GradTab::updateCoefficientLabel()
{
    if (!coefficientLabel_)
        return;
    const int index = selectedRowIndex();
    if (index < 0 || !rows_[static_cast<std::size_t>(index)].fitted) {
        coefficientLabel_->setText(QStringLiteral("k1 = ---"));
        return;
    }
    const CalibrationRow& row = rows_[static_cast<std::size_t>(index)];
    if (selectedModel() == kModelWithIntercept)
        coefficientLabel_->setText(formatted(u"k1 = %.4g; k0 = %.4g", {row.k1, row.k0}));
    else
        coefficientLabel_->setText(formatted(u"k1 = %.4g", {row.k1Origin}));
}

void GradTab::updateChart()
{
    if (!chart_)
        return;
    lineX_.clear();
    lineY_.clear();
    pointX_.clear();
    pointY_.clear();

    const int index = selectedRowIndex();
    if (index >= 0) {
        const CalibrationRow& row = rows_[static_cast<std::size_t>(index)];
        for (const CalibrationPoint& point : row.points) {
            pointX_.push_back(point.meanArea);
            pointY_.push_back(point.concentration);
        }
        if (row.fitted && !pointX_.empty()) {
            const bool withIntercept = selectedModel() == kModelWithIntercept;
            const double b = withIntercept ? row.k0 : 0.0;
            const double a = withIntercept ? row.k1 : row.k1Origin;

            // The line spans the measured mean areas, whichever model is shown.
            const double x0 = *std::min_element(pointX_.begin(), pointX_.end());
            double x1 = *std::max_element(pointX_.begin(), pointX_.end());
            if (x0 >= x1)
                x1 = x0 + 1;
            lineX_ = {x0, x1};
            lineY_ = {a * x0 + b, a * x1 + b};

            // The view frames the points with a margin of 5 %; a line running beyond them is
            // clipped at the plot area rather than squeezing the points together.
            const double y0 = *std::min_element(pointY_.begin(), pointY_.end());
            const double y1 = *std::max_element(pointY_.begin(), pointY_.end());
            double dy = (y1 - y0) * 0.05;
            if (dy <= 0)
                dy = y1 == 0 ? 1.0 : std::fabs(y1) * 0.05;
            const double dx = (x1 - x0) * 0.05;
            if (x1 + dx <= x0 - dx) {
                chart_->autoX = true;
            } else {
                chart_->autoX = false;
                chart_->xMinFixed = x0 - dx;
                chart_->xMaxFixed = x1 + dx;
            }
            if (y1 + dy <= y0 - dy) {
                chart_->autoY = true;
            } else {
                chart_->autoY = false;
                chart_->yMinFixed = y0 - dy;
                chart_->yMaxFixed = y1 + dy;
            }
        }
    }

    auto point = [](controls::CAutoSeries& s, const std::vector<double>& x, const std::vector<double>& y) {
        s.xData = x.data();
        s.yData = y.data();
        s.count = static_cast<int>(std::min(x.size(), y.size()));
        s.updateAccessors();
    };
    if (chart_->series.size() >= 2) {
        point(chart_->series[0], lineX_, lineY_);
        point(chart_->series[1], pointX_, pointY_);
    }
    chart_->invalidate();
}

void GradTab::onComponentChanged()
{
    // A slot: the page reports nothing, and nothing may escape into the event loop.
    if (filling_)
        return;
    try {
        fillPointList();
        updateCoefficientLabel();
        updateChart();
    } catch (const std::exception&) {
        // Memory while redrawing: the label and the chart keep their last state until the next
        // change redraws them; a model signal has no one to report to.
    }
}

void GradTab::onModelChanged()
{
    if (filling_)
        return;
    try {
        updateCoefficientLabel();
        updateChart();
    } catch (const std::exception&) {
        // Memory while redrawing: the label and the chart keep their last state until the next
        // change redraws them; a model signal has no one to report to.
    }
}

} // namespace ui
