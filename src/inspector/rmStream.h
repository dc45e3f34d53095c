#pragma once
// A stream that can copy a run of itself into another stream, and the little-endian
// integers of the library's streams.
#include "platform/Stream.h"

class TrmStream : public TStream {
public:
    // Copies Count bytes from the position on into Dest (Count 0: the whole stream from its
    // start), in blocks of at most 61440 bytes; returns the count. Raises EStreamError when
    // fewer bytes are there.
    uint64_t CopyTo(TStream& Dest, uint64_t Count);
};

// Little-endian 32-bit integers of the library's streams: at a byte position, and read
// from or written to a stream (reading raises EStreamError at the end of the stream).
int32_t LoadInt32LE(const uint8_t* Bytes);
int32_t ReadInt32LE(TStream& Stream);
void WriteInt32LE(TStream& Stream, int32_t Value);

// Count, a number of records read from Stream, each at least BytesEach long. Raises
// EStreamError naming the stream and What when Count is negative or the rest of the
// stream cannot hold that many records, so that nothing is made for a lying count.
int32_t CheckedRecordCount(int32_t Count, uint64_t BytesEach, const TStream& Stream, const char* StreamName,
                           const char* What);
