#pragma once
// Holds the host database's connection string for the life of the process. The host names its
// database once, when all modules are loaded; every connection opened later reads it from here.
#include <memory>

class DataBaseConnectionBase {
public:
    static DataBaseConnectionBase& instance();

    virtual ~DataBaseConnectionBase();

    // Replaces the held copy with a copy of the given zero-terminated text (null clears nothing:
    // the held copy stays).
    void setUri(const char16_t* uri);
    // Forgets the stored string, as before the host first gave one.
    void clear();
    // clear() on the instance, when there is one.
    static void clearInstance();
    // The held text, or null when the host never named its database.
    const char16_t* uri() const { return uri_.get(); }

private:
    DataBaseConnectionBase() = default;
    DataBaseConnectionBase(const DataBaseConnectionBase&) = delete;
    DataBaseConnectionBase& operator=(const DataBaseConnectionBase&) = delete;

    std::unique_ptr<char16_t[]> uri_;
};
