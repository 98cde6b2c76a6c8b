#include "ui/DlgMain.h"

#include "host/WindowPlacement.h"
#include "platform/Format.h"
#include "resources/ResourceModule.h"
#include "ui/CalculationTab.h"
#include "ui/ComponentsTab.h"
#include "ui/DialogBuilder.h"
#include "ui/GridControls.h"
#include "ui/IdentTab.h"
#include "ui/MainWindowCommands.h"
#include "ui/MessagesTab.h"
#include "ui/ResourceIcons.h"
#include "ui/TabControl.h"
#include "ui/GradTab.h"
#include "ui/TemplateResizeRules.h"
#include "ui/UiText.h"
#include "ui/controls/CGridCtrl.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>

namespace ui {

namespace {

constexpr char16_t kProductTitle[] = u"Dvinar";
// The version text starts with a blank, so the title shows two blanks after "ver.".
constexpr char16_t kVersionText[] = u" 1.0.0.0";
constexpr int kWindowIcon = 114;
constexpr int kButtonIconSize = 16;

struct CommandButton {
    int id;
    int icon;
    int tooltip;  // string id
};

constexpr CommandButton kCommandButtons[] = {
    {DlgMain::kAddButton, 108, 105},        {DlgMain::kRemoveButton, 109, 106},
    {DlgMain::kRemoveAllButton, 110, 107},  {DlgMain::kOpenButton, 111, 108},
    {DlgMain::kComponentsButton, 105, 109}, {DlgMain::kReportButton, 112, 111},
    {DlgMain::kSaveReportButton, 106, 112}, {DlgMain::kSettingsButton, 113, 110},
    {DlgMain::kAboutButton, 107, 113},
};

struct Column {
    int title;  // string id
    int width;
};

constexpr Column kAssayColumns[] = {{114, 40}, {115, 280}, {116, 130}, {117, 130}, {118, 150}};

QString moduleString(int id) { return toQString(resources::resourceModule().loadString(id)); }

host::ScreenRect toScreenRect(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace

DlgMain::DlgMain(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("DlgMain"));
    setModal(false);
    std::vector<BuiltControl> built;
    if (const resources::DialogTemplate* main = dialogTemplate(kTemplateId)) {
        DialogBuilder builder(*main);
        builder.setWidgetFactory([factory = gridForListViews()](const resources::DialogControl& control,
                                                                 QWidget* parent) -> QWidget* {
            if (control.kind == resources::ControlKind::TabControl)
                return new TabControl(parent);
            return factory(control, parent);
        });
        built = builder.build(this);
    }
    assayList_ = findControlAs<controls::CGridCtrl>(this, kAssayList);
    tabControl_ = findControlAs<TabControl>(this, kTabControl);
    attachTemplateLayout(this, built, kTemplateId);
    keepOuterMinimum();

    setWindowTitle(toQString(platform::format(u"%s , ver. %s", {kProductTitle, kVersionText})));
    commands_ = std::make_unique<MainWindowCommands>(*this);
    setWindowIcon(moduleIcon(kWindowIcon));
    setUpButtons();
    setUpAssayList();
    restorePosition();
    createPages();
    connectCommands();
    commands_->recalculate(std::nullopt);
}

// The commands (and the workspace with its assays) go first, the pages afterwards with their
// parent widgets; the list must not report to a window that is going.
DlgMain::~DlgMain()
{
    if (assayList_)
        assayList_->setListener(nullptr);
}

QWidget* DlgMain::page(int tab) const { return tabControl_ ? tabControl_->page(tab) : nullptr; }

void DlgMain::setUpButtons()
{
    // Balloon tips of the command buttons show also while the window is not the active one.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    for (const CommandButton& command : kCommandButtons) {
        auto* button = findControlAs<QPushButton>(this, command.id);
        if (!button)
            continue;
        // Button images come from the plug-in itself, never from a language library. A
        // missing image leaves the button with its template text.
        const QIcon icon = libraryIcon(command.icon);
        if (!icon.isNull()) {
            button->setIcon(icon);
            button->setIconSize(QSize(kButtonIconSize, kButtonIconSize));
            button->setText(QString());
        }
        button->setToolTip(moduleString(command.tooltip));
        // Enter reaches the window unless a button has the focus; no button is the default.
        button->setAutoDefault(false);
    }
    if (auto* close = findControlAs<QPushButton>(this, kCloseButton))
        close->setAutoDefault(false);
}

void DlgMain::setUpAssayList()
{
    if (!assayList_)
        return;
    assayList_->setExtendedStyle(controls::CGridCtrl::GridLines | controls::CGridCtrl::FullRowSelect);
    assayList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    int column = 0;
    for (const Column& c : kAssayColumns)
        assayList_->insertColumnFromResource(column++, c.title, c.width);
    assayList_->setListener(this);
}

void DlgMain::restorePosition()
{
    std::vector<host::ScreenRect> monitors;
    for (const QScreen* screen : QGuiApplication::screens())
        monitors.push_back(toScreenRect(screen->geometry()));
    host::ScreenRect workArea;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        workArea = toScreenRect(primary->availableGeometry());
    const host::ScreenRect placed = host::restoredWindowRect(host::readSavedWindowRect(), monitors, workArea);
    // The profile holds the outer rectangle; the frame's share is known only once the window
    // has been shown, and is nothing before.
    const QSize frame = frameGeometry().size() - geometry().size();
    move(placed.left, placed.top);
    resize(placed.width() - frame.width(), placed.height() - frame.height());
    restoredOuter_ = QRect(placed.left, placed.top, placed.width(), placed.height());
}

void DlgMain::keepOuterMinimum()
{
    // The limit holds for the outer frame, title bar and border included. The frame's share is
    // known once the window manager has framed the window, and may change with it, so it is
    // taken again after every move and resize; before that it is nothing.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize minimum = QSize(kMinimumWidth, kMinimumHeight) - frame;
    if (minimumSize() != minimum.expandedTo(QSize(0, 0)))
        setMinimumSize(minimum.expandedTo(QSize(0, 0)));
}

bool DlgMain::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        keepOuterMinimum();
    return handled;
}

void DlgMain::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    keepOuterMinimum();
    if (restoredOuter_.isNull())
        return;
    const QRect outer = restoredOuter_;
    restoredOuter_ = QRect();
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame == QSize(0, 0))
        return;
    move(outer.topLeft());
    resize(outer.size() - frame);
}

void DlgMain::savePosition()
{
    host::saveWindowRect(toScreenRect(frameGeometry()));
}

void DlgMain::createPages()
{
    if (!tabControl_)
        return;
    componentsTab_ = new ComponentsTab(tabControl_);
    identTab_ = new IdentTab(tabControl_);
    gradTab_ = new GradTab(tabControl_);
    calculationTab_ = new CalculationTab(tabControl_);
    messagesTab_ = new MessagesTab(tabControl_);
    const std::pair<QWidget*, int> pages[] = {
        {componentsTab_, 121}, {identTab_, 139}, {gradTab_, 120}, {calculationTab_, 147}, {messagesTab_, 143}};
    for (const auto& [page, caption] : pages) {
        const int index = tabControl_->addPage(page, moduleString(caption));
        page->setVisible(index == 0);
    }
    tabControl_->setCurrentIndex(0);
    connect(tabControl_->tabBar(), &QTabBar::currentChanged, this, [this](int index) {
        try {
            tabControl_->showOnlyPage(index);
        } catch (const std::exception&) {
            // Memory while switching pages: the previous page stays shown until the next click.
        }
    });
}

void DlgMain::connectCommands()
{
    const std::pair<int, void (MainWindowCommands::*)()> commands[] = {
        {kAddButton, &MainWindowCommands::addFromHost},
        {kRemoveButton, &MainWindowCommands::removeAssays},
        {kRemoveAllButton, &MainWindowCommands::removeAll},
        {kOpenButton, &MainWindowCommands::openInHost},
        {kComponentsButton, &MainWindowCommands::editComponents},
        {kReportButton, &MainWindowCommands::showReport},
        {kSaveReportButton, &MainWindowCommands::saveReport},
        {kSettingsButton, &MainWindowCommands::editSettings},
        {kAboutButton, &MainWindowCommands::showAbout},
    };
    for (const auto& [id, command] : commands)
        if (auto* button = findControlAs<QPushButton>(this, id))
            connect(button, &QPushButton::clicked, this, [this, command = command] { (commands_.get()->*command)(); });
    if (auto* close = findControlAs<QPushButton>(this, kCloseButton))
        connect(close, &QPushButton::clicked, this, &DlgMain::reject);
}

void DlgMain::onSelChanged(const controls::GridNotifyHeader&, int row, int)
{
    if (row != -1)
        commands_->recalculate(row);
}

void DlgMain::reject()
{
    try {
        savePosition();
    } catch (const std::exception&) {
        // Memory or the host's profile failing: the position is a convenience; the window still
        // closes.
    }
    QDialog::reject();
}

void DlgMain::accept() { QDialog::accept(); }

void DlgMain::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & ~Qt::KeypadModifier)) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && isAncestorOf(button))
            button->click();
        else
            accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace ui
