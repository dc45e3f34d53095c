#pragma once
// A stream that can copy a run of itself into another stream.
#include "platform/Stream.h"

class TrmStream : public TStream {
public:
    // Copies Count bytes from the position on into Dest (Count 0: the whole stream from its
    // start), in blocks of at most 61440 bytes; returns the count. Raises EStreamError when
    // fewer bytes are there.
    uint64_t CopyTo(TStream& Dest, uint64_t Count);
};
