#include "AssayDialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace {

enum Column { FileNameColumn, SampleColumn, MixtureColumn, DateColumn, TypeColumn, ColumnCount };

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QString fileNamePart(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return slash < 0 ? path : path.mid(slash + 1);
}

} // namespace

AssayDialog::AssayDialog(const QString& databasePath, int language, QWidget* parent) : QDialog(parent)
{
    const auto text = [language](HostText id) { return hostText(id, language); };
    setWindowTitle(text(HostText::AssayDialogTitle));
    setObjectName(QStringLiteral("AssayDialog"));

    table_ = new QTableWidget(0, ColumnCount, this);
    table_->setHorizontalHeaderLabels({text(HostText::FileNameColumn), text(HostText::SampleColumn),
                                       text(HostText::MixtureColumn), text(HostText::DateColumn), text(HostText::TypeColumn)});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setAlternatingRowColors(true);

    QString error;
    const std::vector<AssayCatalogEntry> entries = AssayCatalog::read(databasePath, &error);
    table_->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
        const AssayCatalogEntry& entry = entries[static_cast<std::size_t>(row)];
        QTableWidgetItem* name = cell(fileNamePart(entry.fileName));
        name->setData(Qt::UserRole, entry.id);
        name->setToolTip(entry.fileName);
        table_->setItem(row, FileNameColumn, name);
        table_->setItem(row, SampleColumn, cell(entry.sample));
        table_->setItem(row, MixtureColumn, cell(entry.mixture));
        const QDateTime date = QDateTime::fromSecsSinceEpoch(entry.date);
        table_->setItem(row, DateColumn, cell(date.toString(QStringLiteral("yyyy-MM-dd HH:mm"))));
        table_->setItem(row, TypeColumn, cell(text(entry.isCalibration ? HostText::CalibrationType : HostText::AnalysisType)));
    }
    table_->resizeColumnsToContents();

    status_ = new QLabel(this);
    status_->setText(error.isEmpty() ? text(HostText::AssayCount).arg(entries.size()).arg(databasePath)
                                     : text(HostText::DatabaseUnreadable).arg(error));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // Qt names its standard buttons in English unless a translation is loaded.
    buttons->button(QDialogButtonBox::Ok)->setText(text(HostText::OkButton));
    buttons->button(QDialogButtonBox::Cancel)->setText(text(HostText::CancelButton));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    resize(760, 420);
}

void AssayDialog::preselect(const std::vector<int32_t>& ids)
{
    const std::set<int32_t> wanted(ids.begin(), ids.end());
    table_->clearSelection();
    QItemSelectionModel* selection = table_->selectionModel();
    for (int row = 0; row < table_->rowCount(); ++row)
        if (wanted.count(table_->item(row, FileNameColumn)->data(Qt::UserRole).toInt()))
            selection->select(table_->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

std::vector<int32_t> AssayDialog::chosenIds() const
{
    QModelIndexList rows = table_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<int32_t> ids;
    for (const QModelIndex& index : rows)
        ids.push_back(table_->item(index.row(), FileNameColumn)->data(Qt::UserRole).toInt());
    return ids;
}

int AssayDialog::rowCount() const
{
    return table_->rowCount();
}
