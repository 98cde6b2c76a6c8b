// The English library's dialog templates against the plug-in's own: the same templates with the
// same controls, where only the texts may differ. A library built from another geometry would
// put the windows' controls elsewhere, or leave the code without a control it looks for.
#include "EnglishTables.h"
#include "resources/ResourceModule.h"

#include <gtest/gtest.h>

#include <string>

using resources::DialogControl;
using resources::DialogTemplate;

namespace {

std::string nameOf(const char* name) { return name ? name : ""; }

} // namespace

TEST(TemplateTables, BothLanguagesHaveTheSameControls)
{
    const resources::ResourceTables* english = englishTables();
    ASSERT_NE(english, nullptr) << "libvexolENU.so is built beside the tests";
    const resources::ResourceTables& russian = resources::builtInTables();
    ASSERT_GT(russian.dialogCount, 0);
    EXPECT_EQ(english->dialogCount, russian.dialogCount);

    for (int32_t t = 0; t < russian.dialogCount; ++t) {
        const DialogTemplate& ru = russian.dialogs[t];
        SCOPED_TRACE("template " + std::to_string(ru.id));
        const DialogTemplate* en = resources::findDialog(*english, ru.id);
        ASSERT_NE(en, nullptr);
        EXPECT_EQ(en->cx, ru.cx);
        EXPECT_EQ(en->cy, ru.cy);
        EXPECT_EQ(en->style, ru.style);
        EXPECT_EQ(en->pointSize, ru.pointSize);
        EXPECT_TRUE(en->fontName && ru.fontName && std::u16string(en->fontName) == ru.fontName);
        EXPECT_EQ(en->caption != nullptr, ru.caption != nullptr);
        ASSERT_EQ(en->controlCount, ru.controlCount);
        for (int32_t i = 0; i < ru.controlCount; ++i) {
            const DialogControl& a = ru.controls[i];
            const DialogControl& b = en->controls[i];
            SCOPED_TRACE("control #" + std::to_string(i) + " (" + std::to_string(a.id) + ")");
            EXPECT_EQ(b.id, a.id);
            EXPECT_EQ(b.kind, a.kind);
            EXPECT_EQ(b.x, a.x);
            EXPECT_EQ(b.y, a.y);
            EXPECT_EQ(b.cx, a.cx);
            EXPECT_EQ(b.cy, a.cy);
            EXPECT_EQ(b.style, a.style);
            EXPECT_EQ(nameOf(b.name), nameOf(a.name));
            EXPECT_EQ(b.text != nullptr, a.text != nullptr);
        }
    }
}
