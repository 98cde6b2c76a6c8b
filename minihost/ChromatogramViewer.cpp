#include "ChromatogramViewer.h"

#include "SignalPlot.h"

#include "input/CVantrelFile4.h"
#include "platform/Format.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

QTableWidgetItem* numberCell(const char16_t* format, double value)
{
    return cell(QString::fromStdU16String(platform::format(format, {value})), Qt::AlignRight);
}

} // namespace

ChromatogramViewer::ChromatogramViewer(const QString& path, int language, QWidget* parent) : QWidget(parent, Qt::Window)
{
    const auto text = [language](HostText id) { return hostText(id, language); };
    setObjectName(QStringLiteral("ChromatogramViewer"));
    setWindowTitle(text(HostText::ViewerTitle).arg(QFileInfo(path).fileName()));
    auto* layout = new QVBoxLayout(this);

    CVantrelFile4 file;
    loadResult_ = file.load(path.toStdU16String());
    if (loadResult_ != 0) {
        auto* message = new QLabel(text(HostText::ChromatogramUnreadable).arg(loadResult_).arg(path), this);
        message->setAlignment(Qt::AlignCenter);
        layout->addWidget(message);
        resize(520, 160);
        return;
    }
    channelCount_ = static_cast<int>(file.channels.size());

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    auto* plots = new QWidget(splitter);
    auto* plotLayout = new QVBoxLayout(plots);
    plotLayout->setContentsMargins(0, 0, 0, 0);
    for (const Channel& channel : file.channels)
        plotLayout->addWidget(new SignalPlot(channel, file.passport.duration, text(HostText::ChannelCaption).arg(channel.number), plots));
    if (file.channels.empty())
        plotLayout->addWidget(new QLabel(text(HostText::NoChannel), plots));

    peakTable_ = new QTableWidget(0, 6, splitter);
    peakTable_->setHorizontalHeaderLabels({text(HostText::ChannelColumn), text(HostText::PeakNumberColumn),
                                           text(HostText::PeakNameColumn), text(HostText::TimeColumn),
                                           text(HostText::AreaColumn), text(HostText::HeightColumn)});
    peakTable_->verticalHeader()->setVisible(false);
    peakTable_->horizontalHeader()->setStretchLastSection(true);
    peakTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    peakTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (const Channel& channel : file.channels) {
        int index = 0;
        for (const Peak& peak : channel.peaks) {
            const int row = peakTable_->rowCount();
            peakTable_->insertRow(row);
            peakTable_->setItem(row, 0, cell(QString::number(channel.number), Qt::AlignRight));
            peakTable_->setItem(row, 1, cell(QString::number(++index), Qt::AlignRight));
            peakTable_->setItem(row, 2, cell(QString::fromStdU16String(peak.name)));
            peakTable_->setItem(row, 3, numberCell(u"%.3f", peak.time));
            peakTable_->setItem(row, 4, numberCell(u"%.1f", peak.area));
            peakTable_->setItem(row, 5, numberCell(u"%.1f", peak.height));
        }
    }
    peakTable_->resizeColumnsToContents();

    splitter->addWidget(plots);
    splitter->addWidget(peakTable_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    // The whole peak table fits beside the curves.
    splitter->setSizes({640, 460});
    peakTable_->setCurrentItem(nullptr);
    layout->addWidget(splitter);
    resize(1120, 560);
}
