#include "report/XmlWriterSource.h"

#include <new>

void xml_writer_source::write(const void* data, size_t size)
{
    if (!data || !target || size == 0 || failed_)
        return;
    const auto* bytes = static_cast<const unsigned char*>(data);
    const size_t totalBytes = size + (hasPendingByte_ ? 1 : 0);
    const size_t units = totalBytes / 2;
    const size_t previousLength = target->size();
    try {
        target->reserve(previousLength + units);
        size_t at = 0;
        if (hasPendingByte_ && size > 0) {
            target->push_back(static_cast<char16_t>(pendingByte_ | (bytes[0] << 8)));
            hasPendingByte_ = false;
            at = 1;
        }
        for (; at + 1 < size; at += 2)
            target->push_back(static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8)));
        if (at < size) {
            pendingByte_ = bytes[at];
            hasPendingByte_ = true;
        }
    } catch (const std::bad_alloc&) {
        target->resize(previousLength);
        failed_ = true;
    }
}
