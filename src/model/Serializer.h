#pragma once
// One pass over a record tree that counts, writes or reads its stored form. A
// record's routine calls one operation per value in a fixed order; the
// serializer passed in decides what the pass does.
//
// Stored form of each value (no header, no alignment, no padding):
//
//   operation            bytes   layout
//   SerializeDword       4       little-endian: [b0 b1 b2 b3], b0 the lowest
//   SerializeWord        2       little-endian: [b0 b1]
//   SerializeByte        1       [b0]
//   SerializeFlag        1       the low byte of a 32-bit value; read back zero-extended
//   SerializeBytes       n       the n bytes as they stand
//   SerializeCString     n + 1   the characters up to the first NUL, then one NUL
//   SerializeAnsiString  n + 1   the same; an empty text is the single NUL
//
// Strings carry no length prefix: a reader finds their end by the NUL.
//
// Errors: writing or reading past the end of the buffer sets the error flag;
// from then on every operation of that serializer does nothing, so a failed load
// leaves the remaining targets as they were. Record routines that loop over a
// count they read check HasError() to stop early.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/VKString.h"

namespace VK {

class ISerializer {
public:
    virtual ~ISerializer() = default;

    // 1 for the sizer and the saver, 0 for the loader.
    virtual int IsStoring() const = 0;
    virtual void SerializeDword(uint32_t* value) = 0;
    virtual void SerializeWord(uint16_t* value) = 0;
    virtual void SerializeByte(uint8_t* value) = 0;
    virtual void SerializeFlag(uint32_t* value) = 0;
    virtual void SerializeCString(CString* value) = 0;
    virtual void SerializeAnsiString(std::string* value) = 0;
    virtual void SerializeBytes(uint8_t* bytes, size_t n) = 0;

    bool HasError() const { return error != 0; }

protected:
    uint32_t error = 0;
};

// Counts the bytes a saving pass will write.
class CSerialSizer final : public ISerializer {
public:
    int IsStoring() const override { return 1; }
    void SerializeDword(uint32_t*) override { size_ += 4; }
    void SerializeWord(uint16_t*) override { size_ += 2; }
    void SerializeByte(uint8_t*) override { size_ += 1; }
    void SerializeFlag(uint32_t*) override { size_ += 1; }
    void SerializeBytes(uint8_t*, size_t n) override { size_ += n; }
    void SerializeCString(CString* value) override;
    void SerializeAnsiString(std::string* value) override;

    size_t GetSize() const { return size_; }

private:
    size_t size_ = 0;
};

// Common bookkeeping of the two serializers that work on a caller's buffer.
class CSerialBuffer : public ISerializer {
public:
    size_t GetPosition() const { return position; }
    size_t GetCapacity() const { return capacity; }

protected:
    explicit CSerialBuffer(size_t size) : capacity(size) {}
    // True when `n` more bytes fit; otherwise sets the error flag. False once the flag is set.
    bool Claim(size_t n);

    size_t capacity;
    size_t position = 0;
};

// Writes into a buffer that belongs to the caller.
class CSerialSaver final : public CSerialBuffer {
public:
    CSerialSaver(uint8_t* buffer, size_t size) : CSerialBuffer(size), buffer_(buffer) {}

    int IsStoring() const override { return 1; }
    void SerializeDword(uint32_t* value) override;
    void SerializeWord(uint16_t* value) override;
    void SerializeByte(uint8_t* value) override;
    void SerializeFlag(uint32_t* value) override;
    void SerializeCString(CString* value) override;
    void SerializeAnsiString(std::string* value) override;
    void SerializeBytes(uint8_t* bytes, size_t n) override { Write(bytes, n); }

private:
    void Write(const uint8_t* bytes, size_t n);
    void WriteText(std::string_view text);

    uint8_t* buffer_;
};

// Reads from a buffer that belongs to the caller and outlives the loader.
class CSerialLoader final : public CSerialBuffer {
public:
    CSerialLoader(const uint8_t* buffer, size_t size) : CSerialBuffer(size), buffer_(buffer) {}

    int IsStoring() const override { return 0; }
    void SerializeDword(uint32_t* value) override;
    void SerializeWord(uint16_t* value) override;
    void SerializeByte(uint8_t* value) override;
    void SerializeFlag(uint32_t* value) override;
    void SerializeCString(CString* value) override;
    void SerializeAnsiString(std::string* value) override;
    void SerializeBytes(uint8_t* bytes, size_t n) override;
    // The next `n` bytes where they lie in the caller's buffer, passed over
    // without a copy; null (and the error flag) when fewer remain.
    const uint8_t* Read(size_t n);

private:
    // The NUL-terminated text at the cursor, or null (and the error flag) when
    // no NUL lies within the remaining bytes.
    const char* ReadText();

    const uint8_t* buffer_;
};

} // namespace VK
