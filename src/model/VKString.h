#pragma once
// The small heap string of the stored records: NUL-terminated single-byte
// (Windows-1252) characters and a 16-bit length. An empty string holds no buffer.
#include <cstdint>
#include <string_view>

namespace VK {

class CString {
public:
    static constexpr size_t kMaxLength = 0xFFFF;

    CString() = default;
    explicit CString(const char* text) { Assign(text); }
    CString(const CString& other) { Assign(other.p); }
    CString(CString&& other) noexcept : p(other.p), length(other.length)
    {
        other.p = nullptr;
        other.length = 0;
    }
    CString& operator=(const CString& other)
    {
        Assign(other.p);
        return *this;
    }
    CString& operator=(CString&& other) noexcept;
    ~CString() { Clear(); }

    // Inserts `text` before character `position` (past the end appends). A null
    // text changes nothing. Returns 0 and changes nothing when the result would be
    // longer than kMaxLength or memory runs out, else 1.
    int Insert(size_t position, const char* text);
    // Replaces the characters with `text`; `text` may point into this string.
    // Returns 0 and changes nothing when `text` is too long or memory runs out.
    int Assign(const char* text);
    void Clear();

    uint16_t GetLength() const { return length; }
    bool IsEmpty() const { return length == 0; }
    // Never null: an empty string gives "".
    const char* c_str() const { return p ? p : ""; }
    std::string_view View() const { return {c_str(), length}; }

    bool operator==(const CString& other) const { return View() == other.View(); }

private:
    char* p = nullptr;
    uint16_t length = 0;
};

} // namespace VK
