// Widgets made from templates: the dialog-unit conversion, one widget of the right kind per
// control named by its id, the window decorations, radio groups, and the substitution of the
// plug-in's own controls.
#include "EnglishTables.h"
#include "resources/ResourceModule.h"
#include "resources/DialogLayouts.h"
#include "ui/DialogBuilder.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <memory>

using resources::DialogTemplate;
using ui::DialogBuilder;
using ui::DialogUnits;
using ui::findControl;
using ui::findControlAs;

namespace {

const DialogTemplate& builtIn(int id) { return *resources::findDialog(resources::builtInTables(), id); }

} // namespace

TEST(DialogUnits, ConvertsLikeWindowsMulDiv)
{
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.toPixelsX(575), 863);  // 862.5 rounds away from zero
    EXPECT_EQ(units.toPixelsY(295), 479);  // 479.375
    EXPECT_EQ(units.toPixelsX(7), 11);
    EXPECT_EQ(units.toPixelsY(7), 11);
    EXPECT_EQ(units.toPixelsX(-7), -11);
    EXPECT_EQ(units.toPixelsX(0), 0);
    EXPECT_EQ(units.toPixels(26, 7, 542, 135), QRect(39, 11, 813, 219));
    EXPECT_EQ(DialogUnits(0, -3).baseWidth(), 1) << "a degenerate font still gives usable units";
}

TEST(DialogUnits, BaseUnitsComeFromTheFont)
{
    QFont font = QApplication::font();
    font.setPointSize(8);
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const DialogUnits units(font);
    EXPECT_EQ(units.baseWidth(), (letters / 26 + 1) / 2);
    EXPECT_EQ(units.baseHeight(), metrics.height());
    QFont larger = font;
    larger.setPointSize(16);
    EXPECT_GT(DialogUnits(larger).toPixelsX(100), units.toPixelsX(100));
}

TEST(DialogBuilder, SettingsTemplateGivesOneNamedWidgetPerControl)
{
    const DialogTemplate& t = builtIn(125);
    QDialog dialog;
    const DialogBuilder builder(t);
    const auto built = builder.build(&dialog);
    const DialogUnits units = builder.units();

    ASSERT_EQ(built.size(), static_cast<std::size_t>(t.controlCount));
    for (std::size_t i = 0; i < built.size(); ++i) {
        const resources::DialogControl& c = t.controls[i];
        EXPECT_EQ(built[i].control, &c);
        EXPECT_EQ(built[i].widget->parentWidget(), &dialog);
        EXPECT_EQ(built[i].widget->objectName(), QString::number(c.id));
        EXPECT_EQ(built[i].widget->geometry(), units.toPixels(c.x, c.y, c.cx, c.cy)) << "control #" << i;
    }
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Настройки"));
    EXPECT_EQ(dialog.font().pointSize(), 8);
    EXPECT_EQ(dialog.size(), units.toPixels(197, 151));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "a fixed-size dialog";

    EXPECT_NE(findControlAs<QRadioButton>(&dialog, 1019), nullptr);
    EXPECT_NE(findControlAs<QRadioButton>(&dialog, 1020), nullptr);
    EXPECT_NE(findControlAs<QCheckBox>(&dialog, 1025), nullptr);
    EXPECT_NE(findControlAs<QCheckBox>(&dialog, 1026), nullptr);
    auto* save = findControlAs<QPushButton>(&dialog, 1);
    auto* cancel = findControlAs<QPushButton>(&dialog, 2);
    ASSERT_TRUE(save && cancel);
    EXPECT_TRUE(save->isDefault());
    EXPECT_FALSE(cancel->isDefault());
    EXPECT_EQ(save->text(), QStringLiteral("Сохранить"));
    EXPECT_NE(dynamic_cast<QGroupBox*>(built[0].widget), nullptr);
    EXPECT_EQ(dynamic_cast<QLabel*>(built[1].widget)->text(), QStringLiteral("Единицы окна:"));
}

TEST(DialogBuilder, RadioButtonsOfAGroupExcludeEachOtherAndStartUnmarked)
{
    QDialog dialog;
    DialogBuilder(builtIn(125)).build(&dialog);
    auto* percent = findControlAs<QRadioButton>(&dialog, 1019);
    auto* minutes = findControlAs<QRadioButton>(&dialog, 1020);
    ASSERT_TRUE(percent && minutes);
    EXPECT_FALSE(percent->isChecked());
    EXPECT_FALSE(minutes->isChecked());
    dialog.show();
    percent->click();
    EXPECT_TRUE(percent->isChecked());
    minutes->click();
    EXPECT_TRUE(minutes->isChecked());
    EXPECT_FALSE(percent->isChecked());
    // The check boxes are not part of the group.
    auto* devControl = findControlAs<QCheckBox>(&dialog, 1025);
    devControl->click();
    EXPECT_TRUE(devControl->isChecked());
    EXPECT_TRUE(minutes->isChecked());
}

TEST(DialogBuilder, MainWindowTemplateIsAResizableWindowWithMinMaxBoxes)
{
    QDialog dialog;
    const DialogBuilder builder(builtIn(101));
    builder.build(&dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Dvinar"));
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_NE(dialog.minimumSize(), dialog.maximumSize()) << "maximising changes its size";
    EXPECT_EQ(dialog.size(), builder.units().toPixels(575, 295));

    auto* list = findControlAs<QTreeWidget>(&dialog, 1010);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(list->isHeaderHidden());
    EXPECT_NE(findControlAs<QTabWidget>(&dialog, 1012), nullptr);
    for (int id : {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 2})
        EXPECT_NE(findControlAs<QPushButton>(&dialog, id), nullptr) << id;
    EXPECT_EQ(findControlAs<QPushButton>(&dialog, 2)->text(), QStringLiteral("Закрыть"));
}

TEST(DialogBuilder, PagesAreChildWidgetsWithoutDecorations)
{
    QWidget parent;
    auto* page = new QWidget(&parent);
    const DialogBuilder builder(builtIn(138));
    builder.build(page);
    EXPECT_FALSE(page->isWindow());
    EXPECT_EQ(page->size(), builder.units().toPixels(313, 92));
    auto* list = findControlAs<QTreeWidget>(page, 1027);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);

    auto* messages = new QWidget(&parent);
    DialogBuilder(builtIn(136)).build(messages);
    auto* box = findControlAs<QListWidget>(messages, 1027);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isSortingEnabled());
}

TEST(DialogBuilder, ComboBoxesTakeTheirFontsHeightAndKeepTheSortedStyle)
{
    QWidget page;
    const DialogBuilder builder(builtIn(134));
    builder.build(&page);
    auto* component = findControlAs<QComboBox>(&page, 1030);
    ASSERT_NE(component, nullptr);
    EXPECT_FALSE(component->isEditable());
    EXPECT_TRUE(component->property("sorted").toBool());
    EXPECT_EQ(component->height(), component->sizeHint().height());
    EXPECT_EQ(component->width(), builder.units().toPixelsX(110));
    EXPECT_NE(dynamic_cast<QFrame*>(findControl(&page, 1029)), nullptr) << "the chart's frame";
    EXPECT_EQ(findControlAs<QLabel>(&page, 1032)->text(), QStringLiteral("k1 = ---"));
}

TEST(DialogBuilder, FactoryReplacesTheDefaultWidget)
{
    QDialog dialog;
    DialogBuilder builder(builtIn(117));
    int asked = 0;
    builder.setWidgetFactory([&](const resources::DialogControl& control, QWidget* parent) -> QWidget* {
        ++asked;
        return control.kind == resources::ControlKind::ListView ? new QTableWidget(parent) : nullptr;
    });
    const auto built = builder.build(&dialog);
    EXPECT_EQ(asked, 5);
    auto* grid = findControlAs<QTableWidget>(&dialog, 1016);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->geometry(), builder.units().toPixels(7, 7, 611, 220));
    EXPECT_NE(findControlAs<QPushButton>(&dialog, 1018), nullptr) << "the others stay defaults";
}

TEST(DialogBuilder, ControlsWithoutAnIdAreFoundByTheNameTheTemplateGives)
{
    QWidget page;
    const auto built = DialogBuilder(builtIn(115)).build(&page);
    auto* first = dynamic_cast<QLabel*>(ui::builtWidget(built, -1));
    auto* second = dynamic_cast<QLabel*>(ui::builtWidget(built, resources::namedControl::channel2Caption));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->text(), QStringLiteral("Канал 1"));
    EXPECT_EQ(first->objectName(), QStringLiteral("-1"));
    EXPECT_EQ(second->text(), QStringLiteral("Канал 2"));
    EXPECT_EQ(second->objectName(), QStringLiteral("channel2Caption"));
    EXPECT_EQ(ui::builtWidget(built, "channel3Caption"), nullptr);
    EXPECT_EQ(ui::builtWidget(built, static_cast<const char*>(nullptr)), nullptr);
    EXPECT_EQ(ui::builtWidget(built, 4242), nullptr);
}

TEST(DialogBuilder, TemplatesComeFromTheLanguageLibraryWhenItHasThem)
{
    {
        EnglishResources english;
        ASSERT_TRUE(english.loaded());
        const DialogTemplate* t = ui::dialogTemplate(125);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(ui::toQString(t->caption), QStringLiteral("Settings"));
    }
    EXPECT_EQ(ui::toQString(ui::dialogTemplate(125)->caption), QStringLiteral("Настройки"));
}

TEST(DialogBuilder, MissingTranslationFallsBackToTheBuiltInTemplate)
{
    // A language library with strings only: the windows still open, in Russian.
    static const resources::ResourceTables stringsOnly {
        sizeof(resources::ResourceTables), nullptr, 0, nullptr, 0, nullptr, 0};
    resources::resourceModule().useTables(&stringsOnly);
    const DialogTemplate* t = ui::dialogTemplate(140);
    resources::resourceModule().useTables(nullptr);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t, &builtIn(140));
    EXPECT_EQ(ui::dialogTemplate(103), nullptr);
}
