#pragma once
// Byte streams: the abstract stream the persistent objects read and write, and a stream
// over memory.
#include "platform/Exception.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TStream {
public:
    virtual ~TStream() = default;

    // Reads or writes at most Count bytes at the position and moves past them;
    // returns how many were moved.
    virtual size_t Read(void* Buffer, size_t Count) = 0;
    virtual size_t Write(const void* Buffer, size_t Count) = 0;
    virtual uint64_t Size() const = 0;
    virtual uint64_t Position() const = 0;
    virtual void SetPosition(uint64_t Position) = 0;

    uint64_t Remaining() const { return Size() > Position() ? Size() - Position() : 0; }

    // All Count bytes or an EStreamError.
    void ReadBuffer(void* Buffer, size_t Count);
    void WriteBuffer(const void* Buffer, size_t Count);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    size_t Read(void* Buffer, size_t Count) override;
    size_t Write(const void* Buffer, size_t Count) override;
    uint64_t Size() const override { return bytes_.size(); }
    uint64_t Position() const override { return position_; }
    void SetPosition(uint64_t Position) override;

    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    size_t position_ = 0;
};
