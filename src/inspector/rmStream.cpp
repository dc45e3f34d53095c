#include "inspector/rmStream.h"

#include <algorithm>
#include <string>
#include <vector>

uint64_t TrmStream::CopyTo(TStream& Dest, uint64_t Count)
{
    constexpr uint64_t kBlockSize = 61440;
    if (Count == 0) {
        // The whole stream, which can only be had from its start.
        SetPosition(0);
        Count = Size();
    }
    std::vector<uint8_t> block(size_t(std::min(Count, kBlockSize)));
    for (uint64_t left = Count; left > 0;) {
        const auto n = size_t(std::min(left, kBlockSize));
        ReadBuffer(block.data(), n);
        Dest.WriteBuffer(block.data(), n);
        left -= n;
    }
    return Count;
}

int32_t LoadInt32LE(const uint8_t* Bytes)
{
    return int32_t(uint32_t(Bytes[0]) | uint32_t(Bytes[1]) << 8 | uint32_t(Bytes[2]) << 16 | uint32_t(Bytes[3]) << 24);
}

int32_t ReadInt32LE(TStream& Stream)
{
    uint8_t bytes[4];
    Stream.ReadBuffer(bytes, sizeof(bytes));
    return LoadInt32LE(bytes);
}

void WriteInt32LE(TStream& Stream, int32_t Value)
{
    const auto bits = uint32_t(Value);
    const uint8_t bytes[4] = {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
    Stream.WriteBuffer(bytes, sizeof(bytes));
}

int32_t CheckedRecordCount(int32_t Count, uint64_t BytesEach, const TStream& Stream, const char* StreamName,
                           const char* What)
{
    if (Count < 0 || uint64_t(Count) * BytesEach > Stream.Remaining())
        throw EStreamError(std::string(StreamName) + ": a " + What + " of " + std::to_string(Count) +
                           " needs more than the " + std::to_string(Stream.Remaining()) + " bytes left");
    return Count;
}
