#pragma once
// A host database and chromatogram files in a temporary folder, for the host's own assay windows.
#include <QString>
#include <QTemporaryDir>

#include <cstdint>

class HostAssayData {
public:
    HostAssayData();
    ~HostAssayData();

    QString databasePath() const { return dir_.filePath(QStringLiteral("host.db")); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

    // A two-channel chromatogram with three named peaks per channel, written to `name`.
    QString writeChromatogram(const QString& name) const;
    int32_t addAssay(const QString& fileName, const QString& sample, bool isCalibration,
                     bool isDeleted = false, bool isHidden = false);

private:
    QTemporaryDir dir_;
    struct sqlite3* database_ = nullptr;
};
