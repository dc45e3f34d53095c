#include "platform/Stream.h"

#include <algorithm>
#include <cstring>
#include <string>

void TStream::ReadBuffer(void* Buffer, size_t Count)
{
    const size_t got = Read(Buffer, Count);
    if (got != Count)
        throw EStreamError("Stream read error: " + std::to_string(Count) + " bytes were asked for, " +
                           std::to_string(got) + " were left");
}

void TStream::WriteBuffer(const void* Buffer, size_t Count)
{
    if (Write(Buffer, Count) != Count)
        throw EStreamError("Stream write error: " + std::to_string(Count) + " bytes could not be written");
}

size_t TMemoryStream::Read(void* Buffer, size_t Count)
{
    const size_t n = std::min(Count, bytes_.size() - std::min(position_, bytes_.size()));
    if (n > 0)
        std::memcpy(Buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

size_t TMemoryStream::Write(const void* Buffer, size_t Count)
{
    if (Count == 0)
        return 0;
    if (position_ + Count > bytes_.size())
        bytes_.resize(position_ + Count);
    std::memcpy(bytes_.data() + position_, Buffer, Count);
    position_ += Count;
    return Count;
}

void TMemoryStream::SetPosition(uint64_t Position)
{
    position_ = size_t(std::min<uint64_t>(Position, bytes_.size()));
}
