#pragma once
// The host profile: integers under text keys, kept in a small UTF-8 file between runs. Keys are
// taken exactly as given, backslashes and slashes included.
#include <QHash>
#include <QString>

class ProfileStore {
public:
    explicit ProfileStore(QString filePath);

    bool getInt(const QString& key, int* value) const;
    // Stores and writes the file at once; false when the file could not be written.
    bool setInt(const QString& key, int value);

    const QString& filePath() const { return filePath_; }

private:
    void read();
    bool write() const;

    QString filePath_;
    QHash<QString, int> values_;
};
