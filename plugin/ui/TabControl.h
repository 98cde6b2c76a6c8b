#pragma once
// The main window's tab control (control 1012): a row of tabs over a frame, with the pages as
// its own children. Each tab carries a reference to its page; the owner places the pages in
// pageRectangle() and shows the page of the selected tab. Every page, shown or hidden, is placed
// again whenever the control's size changes, so a page never appears in a stale rectangle.
#include <QWidget>

class QTabBar;

namespace ui {

class TabControl : public QWidget {
public:
    // Margins of a page inside the control: the row of tabs above it, the frame around it.
    static constexpr int kPageLeft = 1;
    static constexpr int kPageTop = 22;
    static constexpr int kPageRight = 4;
    static constexpr int kPageBottom = 2;

    explicit TabControl(QWidget* parent);

    // Inserts a tab titled `caption` at the end, carrying `page` (a child of this control).
    int addPage(QWidget* page, const QString& caption);
    int count() const;
    // The page the tab at `index` carries; null for an index without a tab.
    QWidget* page(int index) const;
    int currentIndex() const;
    void setCurrentIndex(int index);

    // The control's client rectangle less the page margins.
    QRect pageRectangle() const;
    void placePages();
    // Shows the page of tab `index` and hides every other one.
    void showOnlyPage(int index);

    QTabBar* tabBar() const { return tabs_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QTabBar* tabs_;
};

} // namespace ui
