#include "input/DataBaseConnectionBase.h"

#include <cstring>
#include <mutex>
#include <string>

DataBaseConnectionBase& DataBaseConnectionBase::instance()
{
    // Created once under a lock and never destroyed, so that a late reader never sees it gone.
    static std::mutex lock;
    static DataBaseConnectionBase* holder = nullptr;
    std::lock_guard<std::mutex> guard(lock);
    if (!holder)
        holder = new DataBaseConnectionBase();
    return *holder;
}

DataBaseConnectionBase::~DataBaseConnectionBase() = default;

void DataBaseConnectionBase::setUri(const char16_t* uri)
{
    if (!uri)
        return;
    std::size_t length = std::char_traits<char16_t>::length(uri);
    auto copy = std::make_unique<char16_t[]>(length + 1);
    std::memcpy(copy.get(), uri, (length + 1) * sizeof(char16_t));
    uri_ = std::move(copy);
}
