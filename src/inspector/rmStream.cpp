#include "inspector/rmStream.h"

#include <algorithm>
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
