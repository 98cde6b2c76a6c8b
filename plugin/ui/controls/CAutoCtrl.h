#pragma once
// The x-y chart window: a CAutoPanel drawn through an off-screen image, with zooming by a dragged
// rectangle, scroll bars when the view is narrower than the data, and its mouse messages passed
// on to the owner.
//
// The owner sets titles, series, fixed ranges, colours and styles by writing the panel's fields
// and then calls invalidate(). Everything runs on the user-interface thread.
#include "ui/controls/AutoCtrlListener.h"
#include "ui/controls/CAutoPanel.h"
#include "ui/controls/ChartFrame.h"
#include "ui/controls/ChartInteraction.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QRegion>

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace controls {

class CAutoCtrl : public QAbstractScrollArea, public CAutoPanel {
public:
    explicit CAutoCtrl(QWidget* parent = nullptr, int controlId = 0);
    ~CAutoCtrl() override;

    void setListener(AutoCtrlListener* listener) { listener_ = listener; }
    void setControlId(int id) { controlId_ = id; }
    int controlId() const { return controlId_; }

    // Asks for a repaint; the background is never erased, the paint covers every pixel.
    void invalidate();

    // Settles ranges and scroll bars and draws the chart into `target` (sized as the client
    // area). Returns false, leaving `target` unusable, when the plot area vanishes.
    bool renderFrame(QImage& target);

    // What the last paint settled: data ranges, plot area, ranges in use, ticks.
    const ChartFrame& lastFrame() const { return lastFrame_; }
    // The zoom rectangle's state.
    const ChartInteraction& interaction() const { return interaction_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollBars(AxisRange fullX, AxisRange fullY);
    void applyBarState(Qt::Orientation orientation, const ScrollBarState& state);
    void onScrollAction(Qt::Orientation orientation, int action);
    void applyZoom(const ZoomTarget& target);
    void drawBand(QPainter& painter) const;
    bool insideClient(const QMouseEvent& event) const;
    // Repaints the zoom rectangle's outline only: the chart under it comes from the last frame.
    void repaintBand(const QRegion& outline);
    QRegion bandOutline() const;
    void passOn(int code, const QMouseEvent& event);
    void notify(int code);
    void recoverFromFailure() noexcept;

    AutoCtrlListener* listener_ = nullptr;
    int controlId_ = 0;
    bool applyingBars_ = false;
    ChartFrame lastFrame_;
    ChartInteraction interaction_;

    // The last frame drawn, so that moving the zoom rectangle needs no new drawing of the chart.
    QImage frame_;
    bool frameDrawn_ = false;
    bool frameStale_ = true;
    QRegion bandDirty_;   // asked to repaint for the zoom rectangle alone since the last paint
};

} // namespace controls
