#pragma once
// The grid's notifications to its owner. Each code is one call; an owner overrides the calls it
// answers, and every call it does not override gives the default answer 0.
#include <QPoint>
#include <Qt>

namespace controls {

class CGridCtrl;

enum GridNotification : int {
    GN_CELLCHANGED = 3426,    // answer nonzero keeps the new text; 0 restores the old text
    GN_BEGINEDIT = 3427,      // answer nonzero lets the cell be edited; 0 refuses
    GN_SELCHANGED = 3428,     // answer ignored
    GN_CONTEXTMENU = 3429,    // answer ignored
    GN_SORTQUERY = 3430,      // answer: the sort kind; 0 means no sorting
    GN_COLUMNDRAGGED = 3431,  // answer 1 cancels the column move
    GN_BEGINRESIZE = 3432,    // answer nonzero prevents the resize
    GN_ENDRESIZE = 3433,      // answer 1 cancels the new width
    GN_DBLCLICK = 3434,       // answer nonzero: the owner has handled the double click
};

// Sort kinds an owner may answer to GN_SORTQUERY.
enum GridSortKind : int { SortNone = 0, SortText = 1, SortNumeric = 2, SortDate = 3 };

struct GridNotifyHeader {
    CGridCtrl* sender = nullptr;
    int senderId = 0;
    int code = 0;
};

// What the list view reports about a double click: the row and column hit (-1 for none), the
// point in the grid's viewport and the keys held.
struct GridActivation {
    int row = -1;
    int subItem = -1;
    QPoint point;
    Qt::KeyboardModifiers keys;
};

class GridListener {
public:
    virtual ~GridListener() = default;

    virtual int onCellChanged(const GridNotifyHeader&, int /*row*/, int /*column*/) { return 0; }
    virtual int onBeginEdit(const GridNotifyHeader&, int /*row*/, int /*column*/) { return 0; }
    virtual void onSelChanged(const GridNotifyHeader&, int /*row*/, int /*subItem*/) {}
    virtual void onContextMenu(const GridNotifyHeader&, QPoint /*screenPoint*/) {}
    virtual int onSortQuery(const GridNotifyHeader&, int /*column*/, bool /*ascending*/) { return 0; }
    virtual int onColumnDragged(const GridNotifyHeader&, int /*column*/, int /*newOrderPosition*/) { return 0; }
    virtual int onBeginResize(const GridNotifyHeader&, int /*column*/) { return 0; }
    virtual int onEndResize(const GridNotifyHeader&, int /*column*/, int /*newWidth*/) { return 0; }
    virtual int onDblClick(const GridNotifyHeader&, const GridActivation&) { return 0; }
};

} // namespace controls
