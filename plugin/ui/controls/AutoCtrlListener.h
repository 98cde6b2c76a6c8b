#pragma once
// How the chart tells its owner about zooms, scrolls and mouse messages. The owner implements
// the calls it cares for; none of them answers anything.
#include <cstdint>

namespace controls {

class CAutoCtrl;

// Notification codes, as the owner's windows know them.
enum AutoCtrlNotification : int {
    ACN_ZOOMED = 1025,      // a zoom changed the ranges
    ACN_HSCROLLED = 1026,   // a horizontal scroll changed the x range
    ACN_VSCROLLED = 1027,   // a vertical scroll changed the y range
};

struct AutoCtrlNotifyHeader {
    CAutoCtrl* sender = nullptr;
    int senderId = 0;
    int code = 0;
};

// Mouse message codes and key-state bits, with the platform's values, so that an owner written
// for the platform's messages reads them unchanged.
enum ChartMouseCode : int {
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
};
enum ChartMouseKeys : std::uint32_t {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};

// One mouse message passed on to the owner: its code, the buttons and keys held, and the point
// in the chart's own client coordinates.
struct ChartMouseMessage {
    int code = 0;
    std::uint32_t keyState = 0;
    int x = 0;
    int y = 0;
};

class AutoCtrlListener {
public:
    virtual ~AutoCtrlListener() = default;

    virtual void onZoomed(const AutoCtrlNotifyHeader&) {}      // ACN_ZOOMED
    virtual void onHScrolled(const AutoCtrlNotifyHeader&) {}   // ACN_HSCROLLED
    virtual void onVScrolled(const AutoCtrlNotifyHeader&) {}   // ACN_VSCROLLED
    // Mouse messages arrive after the chart has handled them, posted through the event loop.
    virtual void onChartMouseMessage(CAutoCtrl&, const ChartMouseMessage&) {}
};

} // namespace controls
