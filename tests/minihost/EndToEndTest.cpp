// Starts the real minihost with the real plug-in, offscreen, and reads what it reports.
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct HostRun {
    int exitCode = -1;
    QString out;
    QString err;
};

HostRun runHost(const QStringList& extra)
{
    QTemporaryDir dir;
    QProcess process;
    QStringList args {QStringLiteral("--plugins"), QStringLiteral(VEXOL_BIN_DIR),
                      QStringLiteral("--profile"), dir.filePath(QStringLiteral("profile.txt"))};
    args << extra;
    process.start(QStringLiteral(VEXOL_BIN_DIR "/minihost"), args);
    HostRun run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

TEST(EndToEnd, MenuItemExistsAndOpensTheWindow)
{
    HostRun before = runHost({QStringLiteral("--print-state"), QStringLiteral("--quit")});
    ASSERT_EQ(before.exitCode, 0) << before.err.toStdString();
    EXPECT_TRUE(before.out.contains(QStringLiteral("plugin: vexol\n")));
    EXPECT_TRUE(before.out.contains(QStringLiteral("menu: Данные/Расчёты/Dvinar\n"))) << before.out.toStdString();
    EXPECT_TRUE(before.out.contains(QStringLiteral("menu: Данные/Импорт AIA\\/ANDI…\n"))) << before.out.toStdString();
    EXPECT_FALSE(before.out.contains(QStringLiteral("window: Dvinar")));

    HostRun after = runHost({QStringLiteral("--trigger"), QStringLiteral("Данные/Расчёты/Dvinar"),
                             QStringLiteral("--trigger"), QStringLiteral("Данные/Расчёты/Dvinar"),
                             QStringLiteral("--print-state"), QStringLiteral("--quit")});
    ASSERT_EQ(after.exitCode, 0) << after.err.toStdString();
    EXPECT_EQ(after.out.count(QStringLiteral("window: Dvinar")), 1) << after.out.toStdString();
}

TEST(EndToEnd, EnglishHostUsesTheLanguageLibrary)
{
    HostRun run = runHost({QStringLiteral("--language"), QStringLiteral("1033"), QStringLiteral("--print-state"), QStringLiteral("--quit")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("menu: Data/Calculations/Dvinar\n"))) << run.out.toStdString();
}

TEST(EndToEnd, PluginExportsOnlyItsThreeEntryPoints)
{
    QProcess nm;
    nm.start(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"), QStringLiteral(VEXOL_BIN_DIR "/libvexol.so")});
    ASSERT_TRUE(nm.waitForFinished(60000));
    ASSERT_EQ(nm.exitCode(), 0);
    QStringList symbols;
    for (const QString& line : QString::fromUtf8(nm.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(u' ', Qt::SkipEmptyParts);
        if (parts.size() == 3)
            symbols << parts[2];
    }
    symbols.sort();
    EXPECT_EQ(symbols, (QStringList {QStringLiteral("GetPluginInfo"), QStringLiteral("Load"), QStringLiteral("Unload")}))
        << symbols.join(u',').toStdString();
}
