#pragma once
// The host's assay dialog: the database's visible assays in a table, several rows selectable.
// OK hands the ids of the selected rows back, top to bottom.
#include "AssayCatalog.h"
#include "HostTexts.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QLabel;
class QTableWidget;

class AssayDialog : public QDialog {
public:
    AssayDialog(const QString& databasePath, int language = hostDefaultLanguage, QWidget* parent = nullptr);

    // Selects the rows of these ids (ids that are not listed are ignored).
    void preselect(const std::vector<int32_t>& ids);
    // The ids of the selected rows, from the top.
    std::vector<int32_t> chosenIds() const;
    int rowCount() const;

private:
    QTableWidget* table_ = nullptr;
    QLabel* status_ = nullptr;
};
