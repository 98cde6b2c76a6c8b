#include "ui/controls/CAutoCtrl.h"

#include "ui/controls/QPainterCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace controls {
namespace {

std::uint32_t keyStateOf(const QMouseEvent& e)
{
    std::uint32_t keys = 0;
    if (e.buttons() & Qt::LeftButton)
        keys |= MK_LBUTTON;
    if (e.buttons() & Qt::RightButton)
        keys |= MK_RBUTTON;
    if (e.buttons() & Qt::MiddleButton)
        keys |= MK_MBUTTON;
    if (e.modifiers() & Qt::ShiftModifier)
        keys |= MK_SHIFT;
    if (e.modifiers() & Qt::ControlModifier)
        keys |= MK_CONTROL;
    return keys;
}

ScrollRequest requestOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return ScrollRequest::LineBack;
    case QAbstractSlider::SliderSingleStepAdd: return ScrollRequest::LineForward;
    case QAbstractSlider::SliderPageStepSub: return ScrollRequest::PageBack;
    case QAbstractSlider::SliderPageStepAdd: return ScrollRequest::PageForward;
    case QAbstractSlider::SliderMove: return ScrollRequest::ThumbTrack;
    default: return ScrollRequest::Other;
    }
}

} // namespace

CAutoCtrl::CAutoCtrl(QWidget* parent, int controlId) : QAbstractScrollArea(parent), controlId_(controlId)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The paint covers every pixel, so nothing is erased beforehand (no flicker).
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setAutoFillBackground(false);
    // The owner receives every mouse move, with or without a button held.
    viewport()->setMouseTracking(true);
    // A static picture: it takes no keyboard focus, and its bars scroll by the mouse only.
    setFocusPolicy(Qt::NoFocus);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setSingleStep(1);
        bar->setPageStep(1);
    }
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { onScrollAction(Qt::Horizontal, action); });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { onScrollAction(Qt::Vertical, action); });
}

CAutoCtrl::~CAutoCtrl() = default;

void CAutoCtrl::recoverFromFailure() noexcept
{
    // A handler failed (memory, or the owner's listener threw): no drag stays half done, and the
    // chart is drawn again from its settings. Nothing may reach the event loop.
    try {
        interaction_.cancel();
        invalidate();
    } catch (...) {
        frameStale_ = true;
    }
}

void CAutoCtrl::invalidate()
{
    frameStale_ = true;
    viewport()->update();
}

void CAutoCtrl::updateScrollBars(AxisRange fullX, AxisRange fullY)
{
    // From the data, the ranges in use and the tick steps of the previous paint.
    applyBarState(Qt::Horizontal, horizontalBarState(fullX, rangeInUseX(fullX), lastFrame_.xTicks.step));
    applyBarState(Qt::Vertical, verticalBarState(fullY, rangeInUseY(fullY), lastFrame_.yTicks.step));
}

void CAutoCtrl::applyBarState(Qt::Orientation orientation, const ScrollBarState& state)
{
    applyingBars_ = true;
    const Qt::ScrollBarPolicy wanted = state.shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    QScrollBar* bar = orientation == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    if (orientation == Qt::Horizontal && horizontalScrollBarPolicy() != wanted) {
        setHorizontalScrollBarPolicy(wanted);
        invalidate();
    } else if (orientation == Qt::Vertical && verticalScrollBarPolicy() != wanted) {
        setVerticalScrollBarPolicy(wanted);
        invalidate();
    }
    if (state.rangeSet) {
        bar->setRange(0, state.maximum);
        bar->setValue(state.position);
    }
    applyingBars_ = false;
}

bool CAutoCtrl::renderFrame(QImage& target)
{
    // The data ranges, once per paint: for the scroll bars first, which may change the client area.
    const AxisRange fullX = dataRangeX(), fullY = dataRangeY();
    updateScrollBars(fullX, fullY);
    ChartFrame frame;
    frame.fullX = fullX;
    frame.fullY = fullY;
    frame.scale.x = rangeInUseX(fullX);
    frame.scale.y = rangeInUseY(fullY);
    const QSize size = viewport()->size();
    if (!size.isEmpty()) {
        if (target.size() != size || target.format() != QImage::Format_RGB32)
            target = QImage(size, QImage::Format_RGB32);
        QPainter painter(&target);
        QPainterCanvas canvas(painter);
        frame = CAutoPanel::render(canvas, PixelRect{0, 0, size.width(), size.height()}, fullX, fullY);
    }
    // Scrolling steps by the ticks of the last paint that had any.
    if (!frame.xTicks.valid)
        frame.xTicks.step = lastFrame_.xTicks.step;
    if (!frame.yTicks.valid)
        frame.yTicks.step = lastFrame_.yTicks.step;
    lastFrame_ = frame;
    return frame.drawn;
}

void CAutoCtrl::paintEvent(QPaintEvent* event)
{
    try {
        // A paint asked for by the zoom rectangle alone takes the chart from the last frame.
        const bool bandOnly = frameDrawn_ && !frameStale_ && frame_.size() == viewport()->size() &&
                              (event->region() - bandDirty_).isEmpty();
        bandDirty_ = QRegion();
        if (!bandOnly) {
            frameStale_ = false;
            frameDrawn_ = renderFrame(frame_);
        }
        if (!frameDrawn_)
            return;
        QPainter painter(viewport());
        painter.drawImage(0, 0, frame_);
        if (interaction_.dragging())
            drawBand(painter);
    } catch (...) {
        // A paint that fails leaves the window as it was; the next paint tries again.
        frameStale_ = true;
    }
}

QRegion CAutoCtrl::bandOutline() const
{
    // The pixels from the smaller corner up to, not including, the larger one, one pixel wide; a
    // rectangle without width or height shows nothing.
    const DragRect& r = interaction_.dragRect();
    const int left = std::min(r.x0, r.x1), right = std::max(r.x0, r.x1);
    const int top = std::min(r.y0, r.y1), bottom = std::max(r.y0, r.y1);
    if (right == left || bottom == top)
        return QRegion();
    const QRect outer(QPoint(left, top), QPoint(right - 1, bottom - 1));
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    return inner.isValid() ? QRegion(outer) - QRegion(inner) : QRegion(outer);
}

void CAutoCtrl::repaintBand(const QRegion& outline)
{
    bandDirty_ += outline;
    viewport()->update(outline);
}

void CAutoCtrl::drawBand(QPainter& painter) const
{
    // Inverting the pixels under the frame makes it visible on any colour.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setClipRegion(bandOutline(), Qt::IntersectClip);
    painter.fillRect(bandOutline().boundingRect(), Qt::white);
}

void CAutoCtrl::onScrollAction(Qt::Orientation orientation, int action)
{
    if (applyingBars_)
        return;
    try {
        const bool horizontal = orientation == Qt::Horizontal;
        const bool shown = (horizontal ? horizontalScrollBarPolicy() : verticalScrollBarPolicy()) == Qt::ScrollBarAlwaysOn;
        QScrollBar* bar = horizontal ? horizontalScrollBar() : verticalScrollBar();
        const ScrollRequest request = requestOf(action);
        const int position = bar->sliderPosition();
        const std::optional<AxisRange> target =
            horizontal ? ChartInteraction::horizontalScroll(request, position, shown, lastFrame_)
                       : ChartInteraction::verticalScroll(request, position, shown, lastFrame_);
        if (!target)
            return;
        bool& automatic = horizontal ? autoX : autoY;
        double& fixedMin = horizontal ? xMinFixed : yMinFixed;
        double& fixedMax = horizontal ? xMaxFixed : yMaxFixed;
        if (!(target->lo < target->hi)) {
            automatic = true;
        } else {
            automatic = false;
            fixedMin = target->lo;
            fixedMax = target->hi;
        }
        invalidate();
        notify(horizontal ? ACN_HSCROLLED : ACN_VSCROLLED);
    } catch (...) {
        recoverFromFailure();
    }
}

void CAutoCtrl::mousePressEvent(QMouseEvent* event)
{
    try {
        const QPoint p = event->position().toPoint();
        if (event->button() == Qt::LeftButton && interaction_.press({p.x(), p.y()}))
            return;
        if (event->button() == Qt::LeftButton)
            passOn(WM_LBUTTONDOWN, *event);
        else if (event->button() == Qt::RightButton)
            passOn(WM_RBUTTONDOWN, *event);
        else if (event->button() == Qt::MiddleButton)
            passOn(WM_MBUTTONDOWN, *event);
    } catch (...) {
        recoverFromFailure();
    }
}

bool CAutoCtrl::insideClient(const QMouseEvent& event) const
{
    return viewport()->rect().contains(event.position().toPoint());
}

void CAutoCtrl::mouseMoveEvent(QMouseEvent* event)
{
    try {
        // The chart does not capture the mouse. Qt sends a held button's moves here wherever the
        // pointer goes; those outside the client area belong to other windows.
        if (!insideClient(*event))
            return;
        const QPoint p = event->position().toPoint();
        const QRegion before = bandOutline();
        if (interaction_.move({p.x(), p.y()}, event->buttons() & Qt::LeftButton))
            repaintBand(before + bandOutline());
        passOn(WM_MOUSEMOVE, *event);
    } catch (...) {
        recoverFromFailure();
    }
}

void CAutoCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    try {
        if (!insideClient(*event)) {
            // Released over another window: no zoom, and the rectangle goes.
            const QRegion band = bandOutline();
            if (event->button() == Qt::LeftButton && interaction_.cancel())
                repaintBand(band);
            return;
        }
        if (event->button() == Qt::LeftButton) {
            const QRegion band = bandOutline();
            std::optional<ZoomTarget> zoom;
            if (interaction_.release(lastFrame_.scale, zoom)) {
                repaintBand(band);
                if (zoom)
                    applyZoom(*zoom);
                return;
            }
        }
        if (event->button() == Qt::LeftButton)
            passOn(WM_LBUTTONUP, *event);
        else if (event->button() == Qt::RightButton)
            passOn(WM_RBUTTONUP, *event);
        else if (event->button() == Qt::MiddleButton)
            passOn(WM_MBUTTONUP, *event);
    } catch (...) {
        recoverFromFailure();
    }
}

void CAutoCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    try {
        if (event->button() != Qt::LeftButton)
            return;
        // The second press of a double click is a double click, not the start of a zoom; the
        // release that follows then goes to the owner as well.
        if (interaction_.state() == ChartInteraction::State::Pressing) {
            const QRegion band = bandOutline();
            interaction_.cancel();
            repaintBand(band);
        }
        passOn(WM_LBUTTONDBLCLK, *event);
    } catch (...) {
        recoverFromFailure();
    }
}

void CAutoCtrl::applyZoom(const ZoomTarget& target)
{
    if (target.x.lo >= target.x.hi) {
        autoX = true;
    } else {
        autoX = false;
        xMinFixed = target.x.lo;
        xMaxFixed = target.x.hi;
    }
    if (target.y.lo >= target.y.hi) {
        autoY = true;
    } else {
        autoY = false;
        yMinFixed = target.y.lo;
        yMaxFixed = target.y.hi;
    }
    invalidate();
    notify(ACN_ZOOMED);
}

void CAutoCtrl::wheelEvent(QWheelEvent* event)
{
    // The wheel does not scroll the chart; it goes on to the owner's window.
    event->ignore();
}

void CAutoCtrl::keyPressEvent(QKeyEvent* event)
{
    // No key scrolls the chart: the scroll area's own arrow and page keys would move the view
    // even with no bar shown. Keys go on to the owner.
    event->ignore();
}

void CAutoCtrl::scrollContentsBy(int, int)
{
    // The view follows the ranges, not the scroll bar values: nothing to move here.
}

void CAutoCtrl::passOn(int code, const QMouseEvent& event)
{
    const QPoint p = event.position().toPoint();
    const ChartMouseMessage message{code, keyStateOf(event), p.x(), p.y()};
    // Posted, as the owner is told after the chart has finished with the message.
    QMetaObject::invokeMethod(
        this,
        [this, message] {
            try {
                if (listener_)
                    listener_->onChartMouseMessage(*this, message);
            } catch (...) {
                recoverFromFailure();
            }
        },
        Qt::QueuedConnection);
}

void CAutoCtrl::notify(int code)
{
    if (!listener_)
        return;
    const AutoCtrlNotifyHeader header{this, controlId_, code};
    switch (code) {
    case ACN_ZOOMED: listener_->onZoomed(header); break;
    case ACN_HSCROLLED: listener_->onHScrolled(header); break;
    case ACN_VSCROLLED: listener_->onVScrolled(header); break;
    default: break;
    }
}

} // namespace controls
