// Every template built as it comes, in Russian and in English: its texts fit their controls at
// the desktop font's dialog units, and a picture of each is saved for looking at.
#include "EnglishTables.h"
#include "Screenshots.h"
#include "ui/DialogBuilder.h"
#include "ui/UiText.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <gtest/gtest.h>

namespace {

const int kTemplateIds[] = {101, 102, 115, 117, 125, 134, 136, 138, 140};

// The command buttons of the main window show icons, not their template texts.
bool showsIconInstead(int templateId, int controlId)
{
    return templateId == 101 && controlId >= 1001 && controlId <= 1009;
}

void expectTextsFit(int templateId, const std::vector<ui::BuiltControl>& built)
{
    for (const ui::BuiltControl& b : built) {
        if (showsIconInstead(templateId, b.control->id))
            continue;
        const QString text = ui::toQString(b.control->text);
        if (text.isEmpty())
            continue;
        const QWidget* w = b.widget;
        const QFontMetrics metrics(w->font());
        SCOPED_TRACE("template " + std::to_string(templateId) + ", \"" + text.toStdString() + "\"");
        if (auto* label = dynamic_cast<const QLabel*>(w)) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height());
            // A word longer than the label's width would be cut even with wrapping.
            for (const QString& word : text.split(QLatin1Char(' ')))
                EXPECT_LE(metrics.horizontalAdvance(word), label->width());
        } else if (dynamic_cast<const QCheckBox*>(w) || dynamic_cast<const QRadioButton*>(w)) {
            EXPECT_LE(w->sizeHint().width(), w->width());
        } else if (dynamic_cast<const QPushButton*>(w)) {
            EXPECT_LE(metrics.horizontalAdvance(text) + 8, w->width());
        } else if (dynamic_cast<const QGroupBox*>(w)) {
            EXPECT_LE(metrics.horizontalAdvance(text) + 16, w->width());
        }
    }
}

void buildAll(const char* language)
{
    for (int id : kTemplateIds) {
        const resources::DialogTemplate* t = ui::dialogTemplate(id);
        ASSERT_NE(t, nullptr) << id;
        QDialog window;
        const auto built = ui::DialogBuilder(*t).build(&window);
        expectTextsFit(id, built);
        window.show();
        EXPECT_TRUE(saveScreenshot(&window, QStringLiteral("template_%1_%2").arg(id).arg(QLatin1String(language))));
    }
}

} // namespace

TEST(TemplateScreenshots, RussianTemplatesFit)
{
    buildAll("rus");
}

TEST(TemplateScreenshots, EnglishTemplatesFit)
{
    EnglishResources english;
    ASSERT_TRUE(english.loaded());
    buildAll("enu");
}
