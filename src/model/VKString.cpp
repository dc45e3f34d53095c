#include "model/VKString.h"

#include <algorithm>

#include <cstring>
#include <new>
#include <utility>

namespace VK {

CString& CString::operator=(CString&& other) noexcept
{
    if (this != &other) {
        Clear();
        std::swap(p, other.p);
        std::swap(length, other.length);
    }
    return *this;
}

int CString::Insert(size_t position, const char* text)
{
    if (!text)
        return 1;
    const size_t added = std::strlen(text);
    if (added > kMaxLength - length)
        return 0;
    if (added == 0)
        return 1;
    position = std::min<size_t>(position, length);
    const size_t newLength = length + added;
    char* buffer = new (std::nothrow) char[newLength + 1];
    if (!buffer)
        return 0;
    // `text` may lie inside the old buffer, which stays alive until the copy is done.
    std::memcpy(buffer, c_str(), position);
    std::memcpy(buffer + position, text, added);
    std::memcpy(buffer + position + added, c_str() + position, length - position);
    buffer[newLength] = '\0';
    delete[] p;
    p = buffer;
    length = uint16_t(newLength);
    return 1;
}

int CString::Assign(const char* text)
{
    if (text && text == p)
        return 1;
    CString replacement;
    if (!replacement.Insert(0, text))
        return 0;
    *this = std::move(replacement);
    return 1;
}

void CString::Clear()
{
    delete[] p;
    p = nullptr;
    length = 0;
}

} // namespace VK
