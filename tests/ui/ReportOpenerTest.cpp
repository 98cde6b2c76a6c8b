// Opening the report with the desktop: when no viewer starts, the analyst is told where the report
// is, in the language of the windows, in a box whose text can be copied.
#include "EnglishTables.h"

#include "../calibration/RecordingMessageBoxes.h"
#include "platform/qt/DesktopOpener.h"
#include "ui/QtReportUserInterface.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const std::u16string reportPath = u"/tmp/отчёты/vtl1A2B.tmp.html";

struct ScriptedDesktop {
    explicit ScriptedDesktop(bool succeeds)
    {
        platform::setDesktopOpener([this, succeeds](const QString& path) {
            asked.push_back(path);
            return succeeds;
        });
    }
    ~ScriptedDesktop() { platform::setDesktopOpener({}); }
    QStringList asked;
};

TEST(ReportOpener, ABoxNamesTheReportOnlyWhenTheDesktopCannotOpenIt)
{
    const QString path = QString::fromStdU16String(reportPath);
    for (const bool english : {false, true}) {
        for (const bool desktopSucceeds : {true, false}) {
            SCOPED_TRACE(testing::Message() << "english " << english << ", desktop opens " << desktopSucceeds);
            std::optional<EnglishResources> englishResources;
            if (english) {
                englishResources.emplace();
                ASSERT_TRUE(englishResources->loaded());
            }
            RecordingMessageBoxes boxes;
            ScriptedDesktop desktop(desktopSucceeds);
            ui::QtReportUserInterface dialogs(nullptr);

            dialogs.openWithShell(reportPath);

            EXPECT_EQ(desktop.asked, QStringList {path});
            if (desktopSucceeds) {
                EXPECT_TRUE(boxes.shown.empty());
                continue;
            }
            ASSERT_EQ(boxes.shown.size(), 1u);
            const auto& box = boxes.shown.front();
            EXPECT_TRUE(box.text.endsWith(u'\n' + path)) << box.text.toStdString();
            EXPECT_EQ(box.text.contains(QStringLiteral("could not be opened")), english) << box.text.toStdString();
            EXPECT_EQ(box.icon, platform::MessageBoxIcon::Warning);
            EXPECT_EQ(box.buttons, platform::MessageBoxButtons::Ok);
        }
    }
}

// The Qt box itself: its text is selectable, so the path can be copied out of it.
TEST(ReportOpener, TheMessageBoxTextCanBeSelectedAndCopied)
{
    Qt::TextInteractionFlags flags;
    QString shownText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        flags = box->textInteractionFlags();
        shownText = box->text();
        box->accept();
    });
    const platform::MessageBoxAnswer answer = platform::messageBoxes().show(
        nullptr, QStringLiteral("/tmp/report.html"), QStringLiteral("Dvinar"), platform::MessageBoxIcon::Warning,
        platform::MessageBoxButtons::Ok);
    EXPECT_EQ(answer, platform::MessageBoxAnswer::Ok);
    EXPECT_EQ(shownText, QStringLiteral("/tmp/report.html"));
    EXPECT_TRUE(flags.testFlag(Qt::TextSelectableByMouse));
    EXPECT_TRUE(flags.testFlag(Qt::TextSelectableByKeyboard));
}

} // namespace
