// The dialog templates as the windows' documentation gives them: every control's id, kind,
// place, size and text, in the plug-in's tables; and an English library that has every template
// with the same controls.
#include "EnglishTables.h"
#include "resources/ResourceModule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using resources::ControlKind;
using resources::DialogControl;
using resources::DialogTemplate;
namespace cs = resources::controlStyle;
namespace ds = resources::dialogStyle;

namespace {

const int kTemplateIds[] = {101, 102, 115, 117, 125, 134, 136, 138, 140};

struct Expected {
    int id;
    ControlKind kind;
    int x, y;
    std::optional<int> cx, cy;  // absent where only the position is given
    std::u16string text;        // compared when not empty
};

const DialogTemplate& russian(int id)
{
    const DialogTemplate* found = resources::findDialog(resources::builtInTables(), id);
    if (!found)
        throw std::runtime_error("no template " + std::to_string(id));
    return *found;
}

std::u16string textOf(const DialogControl& control) { return control.text ? control.text : u""; }

void expectControls(const DialogTemplate& dialog, const std::vector<Expected>& expected)
{
    ASSERT_EQ(dialog.controlCount, static_cast<int32_t>(expected.size())) << "template " << dialog.id;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const DialogControl& c = dialog.controls[i];
        const Expected& e = expected[i];
        SCOPED_TRACE("template " + std::to_string(dialog.id) + ", control #" + std::to_string(i));
        EXPECT_EQ(c.id, e.id);
        EXPECT_EQ(c.kind, e.kind);
        EXPECT_EQ(c.x, e.x);
        EXPECT_EQ(c.y, e.y);
        if (e.cx) {
            EXPECT_EQ(c.cx, *e.cx);
        } else {
            EXPECT_GT(c.cx, 0);
        }
        if (e.cy) {
            EXPECT_EQ(c.cy, *e.cy);
        } else {
            EXPECT_GT(c.cy, 0);
        }
        if (!e.text.empty()) {
            EXPECT_TRUE(textOf(c) == e.text);
        }
    }
}

void expectFrame(const DialogTemplate& dialog, int cx, int cy, const char16_t* caption)
{
    EXPECT_EQ(dialog.cx, cx);
    EXPECT_EQ(dialog.cy, cy);
    if (caption) {
        ASSERT_NE(dialog.caption, nullptr);
        EXPECT_TRUE(std::u16string(dialog.caption) == caption);
    }
    EXPECT_TRUE(std::u16string(dialog.fontName) == u"MS Shell Dlg");
    EXPECT_EQ(dialog.pointSize, 8);
}

using K = ControlKind;

} // namespace

TEST(TemplateTables, MainWindow101)
{
    const DialogTemplate& d = russian(101);
    expectFrame(d, 575, 295, u"Dvinar");
    EXPECT_EQ(d.style & (ds::Popup | ds::Caption | ds::SysMenu | ds::MinimizeBox | ds::MaximizeBox | ds::SizingBorder),
              ds::Popup | ds::Caption | ds::SysMenu | ds::MinimizeBox | ds::MaximizeBox);
    expectControls(d, {
        {1001, K::PushButton, 7, 7, 16, 14, u"+"},
        {1002, K::PushButton, 7, 23, 16, 14, u"-"},
        {1003, K::PushButton, 7, 38, 16, 14, u"--"},
        {1004, K::PushButton, 7, 53, 16, 14, u"^"},
        {1007, K::PushButton, 7, 68, 16, 14, u"C"},
        {1005, K::PushButton, 7, 83, 16, 14, u"R"},
        {1006, K::PushButton, 7, 98, 16, 14, u"SR"},
        {1008, K::PushButton, 7, 113, 16, 14, u"S"},
        {1009, K::PushButton, 7, 128, 16, 14, u"i"},
        {1010, K::ListView, 26, 7, 542, 135, {}},
        {1012, K::TabControl, 7, 149, 561, 117, {}},
        {2, K::PushButton, 518, 274, 50, 14, u"Закрыть"},
    });
    const DialogControl& list = d.controls[9];
    EXPECT_TRUE(list.style & cs::ReportView);
    EXPECT_TRUE(list.style & cs::Border);
    EXPECT_FALSE(list.style & cs::SingleSelect) << "several assays can be selected at once";
}

TEST(TemplateTables, ResultPages)
{
    const DialogTemplate& components = russian(115);
    expectFrame(components, 376, 91, nullptr);
    expectControls(components, {
        {-1, K::Static, 7, 7, {}, {}, u"Канал 1"},
        {1014, K::ListView, 7, 18, 188, 66, {}},
        {-1, K::Static, 203, 7, {}, {}, u"Канал 2"},
        {1013, K::ListView, 203, 18, 166, 66, {}},
    });

    const DialogTemplate& ident = russian(102);
    expectFrame(ident, 309, 99, nullptr);
    expectControls(ident, {{1027, K::ListView, 7, 7, 295, 85, {}}});

    const DialogTemplate& calculation = russian(138);
    expectFrame(calculation, 313, 92, nullptr);
    expectControls(calculation, {{1027, K::ListView, 7, 7, 299, 78, {}}});

    const DialogTemplate& messages = russian(136);
    expectFrame(messages, 305, 87, nullptr);
    expectControls(messages, {{1027, K::ListBox, 6, 7, 292, 73, {}}});
    EXPECT_FALSE(messages.controls[0].style & cs::Sort) << "messages keep their order";
    EXPECT_TRUE(messages.controls[0].style & cs::VScroll);

    for (int id : {102, 115, 134, 136, 138}) {
        EXPECT_TRUE(russian(id).style & ds::Child) << id;
        EXPECT_FALSE(russian(id).style & ds::Caption) << id;
    }
}

TEST(TemplateTables, CalibrationPage134)
{
    // Only the kinds and ids are fixed for this page; the selectors must sit above the list and
    // the chart, which take all of the page's growth.
    const DialogTemplate& d = russian(134);
    ASSERT_EQ(d.controlCount, 6);
    auto find = [&](int id) -> const DialogControl* {
        for (int i = 0; i < d.controlCount; ++i)
            if (d.controls[i].id == id)
                return &d.controls[i];
        return nullptr;
    };
    const DialogControl* list = find(1027);
    const DialogControl* chart = find(1029);
    const DialogControl* component = find(1030);
    const DialogControl* model = find(1031);
    const DialogControl* label = find(1032);
    ASSERT_TRUE(list && chart && component && model && label);
    EXPECT_EQ(list->kind, K::ListView);
    EXPECT_EQ(chart->kind, K::Custom);
    EXPECT_EQ(component->kind, K::ComboBox);
    EXPECT_EQ(model->kind, K::ComboBox);
    EXPECT_EQ(label->kind, K::Static);
    for (const DialogControl* combo : {component, model}) {
        EXPECT_TRUE(combo->style & cs::DropDownList);
        EXPECT_TRUE(combo->style & cs::Sort);
    }
    bool hasCaption = false;
    for (int i = 0; i < d.controlCount; ++i)
        if (d.controls[i].id == -1 && textOf(d.controls[i]) == u"Компонент:")
            hasCaption = true;
    EXPECT_TRUE(hasCaption);
    for (const DialogControl* top : {component, model, label})
        EXPECT_LT(top->y + 12, list->y);
    EXPECT_LE(list->x + list->cx, chart->x) << "list and chart side by side";
    EXPECT_LE(chart->x + chart->cx, d.cx);
    EXPECT_LE(list->y + list->cy, d.cy);
}

TEST(TemplateTables, ComponentsDialog117)
{
    const DialogTemplate& d = russian(117);
    expectFrame(d, 625, 255, u"Компоненты");
    expectControls(d, {
        {1016, K::ListView, 7, 7, 611, 220, {}},
        {1018, K::PushButton, 7, 234, 80, 14, u"Добавить компонент"},
        {1017, K::PushButton, 90, 234, 80, 14, u"Удалить компонент"},
        {1, K::DefPushButton, 517, 234, 50, 14, u"Сохранить"},
        {2, K::PushButton, 569, 234, 49, 14, u"Отмена"},
    });
}

TEST(TemplateTables, SettingsDialog125)
{
    const DialogTemplate& d = russian(125);
    expectFrame(d, 197, 151, u"Настройки");
    EXPECT_FALSE(d.style & (ds::SizingBorder | ds::MaximizeBox)) << "fixed size";
    expectControls(d, {
        {-1, K::GroupBox, 7, 7, 183, 49, u"Окна поиска по времени удерживания"},
        {-1, K::Static, 13, 21, {}, {}, u"Единицы окна:"},
        {1019, K::RadioButton, 99, 20, 86, 10, u"в процентах (%)"},
        {1020, K::RadioButton, 99, 39, 86, 10, u"в минутах (мин)"},
        {-1, K::GroupBox, 7, 62, 183, 28, u"Контроль соотношения площадей"},
        {1025, K::CheckBox, 13, 75, 172, 10, u"контролировать отклонение между каналами"},
        {-1, K::GroupBox, 7, 96, 183, 27, u"Настройки отчета"},
        {1026, K::CheckBox, 13, 110, 154, 10, u"Скрывать необнаруженные компоненты"},
        {1, K::DefPushButton, 87, 130, 50, 14, u"Сохранить"},
        {2, K::PushButton, 140, 130, 50, 14, u"Отмена"},
    });
    EXPECT_TRUE(d.controls[2].style & cs::Group) << "1019 starts the unit group";
    EXPECT_FALSE(d.controls[3].style & cs::Group) << "1020 belongs to it";
}

TEST(TemplateTables, AboutDialog140)
{
    const DialogTemplate& d = russian(140);
    EXPECT_EQ(d.cx, 257);
    EXPECT_EQ(d.cy, 119);
    EXPECT_TRUE(std::u16string(d.caption) == u"О плагине");
    EXPECT_FALSE(d.style & (ds::SizingBorder | ds::MaximizeBox)) << "fixed size";
    expectControls(d, {
        {1028, K::Icon, 16, 14, 20, 20, {}},
        {-1, K::Static, 88, 15, {}, {}, u"Dvinar"},
        {-1, K::Static, 88, 30, {}, {}, u"Версия: 1.0.0.0"},
        {-1, K::Static, 88, 45, {}, {}, {}},
        {-1, K::Static, 17, 74, 225, 20, u"Dvinar"},
        {1, K::DefPushButton, 200, 98, 50, 14, u"OK"},
    });
    EXPECT_FALSE(textOf(d.controls[3]).empty()) << "the legal notice";
}

TEST(TemplateTables, ModuleFindsEveryTemplate)
{
    for (int id : kTemplateIds)
        EXPECT_NE(resources::resourceModule().dialog(id), nullptr) << id;
    EXPECT_EQ(resources::resourceModule().dialog(103), nullptr);
}

TEST(TemplateTables, EnglishLibraryHasEveryTemplateWithTheSameControls)
{
    const resources::ResourceTables* english = englishTables();
    ASSERT_NE(english, nullptr) << "libvexolENU.so did not load";
    EXPECT_EQ(english->dialogCount, static_cast<int32_t>(std::size(kTemplateIds)));
    for (int id : kTemplateIds) {
        SCOPED_TRACE("template " + std::to_string(id));
        const DialogTemplate& rus = russian(id);
        const DialogTemplate* enu = resources::findDialog(*english, id);
        ASSERT_NE(enu, nullptr);
        EXPECT_EQ(enu->cx, rus.cx);
        EXPECT_EQ(enu->cy, rus.cy);
        EXPECT_EQ(enu->style, rus.style);
        EXPECT_EQ(enu->caption == nullptr, rus.caption == nullptr);
        ASSERT_EQ(enu->controlCount, rus.controlCount);
        for (int32_t i = 0; i < rus.controlCount; ++i) {
            const DialogControl& r = rus.controls[i];
            const DialogControl& e = enu->controls[i];
            EXPECT_EQ(e.id, r.id) << i;
            EXPECT_EQ(e.kind, r.kind) << i;
            EXPECT_EQ(e.style, r.style) << i;
            EXPECT_TRUE(e.x == r.x && e.y == r.y && e.cx == r.cx && e.cy == r.cy) << i;
            EXPECT_EQ(textOf(e).empty(), textOf(r).empty()) << i;
            for (char16_t ch : textOf(e))
                EXPECT_FALSE(ch >= u'\u0400' && ch <= u'\u04FF') << "Cyrillic left in control #" << i;
        }
    }
    EXPECT_TRUE(std::u16string(resources::findDialog(*english, 125)->caption) == u"Settings");
    EXPECT_TRUE(std::u16string(resources::findDialog(*english, 140)->caption) == u"About");
}

TEST(TemplateTables, EnglishLibraryCarriesTheWindowIconAndNoButtonImages)
{
    const resources::ResourceTables* english = englishTables();
    ASSERT_NE(english, nullptr);
    EXPECT_NE(resources::findIcon(*english, 114), nullptr);
    EXPECT_EQ(resources::findIcon(*english, 108), nullptr) << "button images are never read from it";
}

TEST(TemplateTables, EveryIconIsAPngOfItsSize)
{
    const resources::ResourceTables& tables = resources::builtInTables();
    std::vector<int> sizes114;
    for (int id = 105; id <= 114; ++id) {
        bool found = false;
        for (int32_t i = 0; i < tables.iconCount; ++i) {
            const resources::IconEntry& icon = tables.icons[i];
            if (icon.id != id)
                continue;
            found = true;
            ASSERT_GT(icon.size, 24u);
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(icon.png) + 1, 3), "PNG") << id;
            // Width and height of the IHDR chunk, big-endian at bytes 16 and 20.
            auto be32 = [&](std::size_t at) {
                return (icon.png[at] << 24) | (icon.png[at + 1] << 16) | (icon.png[at + 2] << 8) | icon.png[at + 3];
            };
            EXPECT_EQ(be32(16), be32(20)) << id;
            if (id == 114)
                sizes114.push_back(be32(16));
            else
                EXPECT_EQ(be32(16), 16) << id;
        }
        EXPECT_TRUE(found) << id;
    }
    EXPECT_NE(std::find(sizes114.begin(), sizes114.end(), 16), sizes114.end());
    EXPECT_NE(std::find(sizes114.begin(), sizes114.end(), 80), sizes114.end()) << "the About picture's size";
}
