#include "input/DataBaseConnectionBase.h"

#include <cstring>
#include <mutex>
#include <string>

namespace {

std::mutex holderLock;
DataBaseConnectionBase* holder = nullptr;

} // namespace

DataBaseConnectionBase& DataBaseConnectionBase::instance()
{
    // Created once under a lock and never destroyed, so that a late reader never sees it gone.
    std::lock_guard<std::mutex> guard(holderLock);
    if (!holder)
        holder = new DataBaseConnectionBase();
    return *holder;
}

void DataBaseConnectionBase::clearInstance()
{
    // Not created for the purpose: a library that never held a string has nothing to forget.
    std::lock_guard<std::mutex> guard(holderLock);
    if (holder)
        holder->clear();
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

void DataBaseConnectionBase::clear() { uri_.reset(); }
