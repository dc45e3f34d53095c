#pragma once
// Bounds-checked reading of the regions of a shell-link file, shared by the link reader
// and the reader of its item id list.
#include "platform/Utf8.h"
#include "platform/Windows1252.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace platform::shelllink {

// Bounds-checked little-endian reads from one region of the file; the first failure
// sticks and names the byte where it happened.
class Reader {
public:
    Reader(std::span<const uint8_t> bytes, size_t base) : bytes_(bytes), base_(base) {}

    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }
    size_t Size() const { return bytes_.size(); }
    // Takes over the failure of a reader of a part of this region.
    void Adopt(const Reader& part)
    {
        if (error_.empty())
            error_ = part.error_;
    }
    void Fail(size_t at, const std::string& what)
    {
        if (error_.empty())
            error_ = what + " (at byte " + std::to_string(base_ + at) + ")";
    }

    bool Has(size_t at, size_t count, const char* what)
    {
        if (at <= bytes_.size() && count <= bytes_.size() - at)
            return true;
        Fail(at, std::string(what) + " runs past the end of the file");
        return false;
    }
    uint64_t Number(size_t at, size_t count, const char* what)
    {
        uint64_t value = 0;
        if (!Has(at, count, what))
            return 0;
        for (size_t i = count; i-- > 0;)
            value = value << 8 | bytes_[at + i];
        return value;
    }
    uint16_t U16(size_t at, const char* what) { return uint16_t(Number(at, 2, what)); }
    uint32_t U32(size_t at, const char* what) { return uint32_t(Number(at, 4, what)); }
    uint64_t U64(size_t at, const char* what) { return Number(at, 8, what); }

    // `count` characters of one byte (Windows-1252) or two (UTF-16) at `at`, as UTF-8.
    std::string Text(size_t at, size_t count, bool unicode, const char* what)
    {
        const size_t width = unicode ? 2 : 1;
        if (!Has(at, count * width, what))
            return {};
        return unicode ? Utf16ToUtf8(at, count) : Windows1252ToUtf8(Chars(at, count));
    }
    // A text ended by a zero character, which must lie inside this region.
    std::string TerminatedText(size_t at, bool unicode, const char* what)
    {
        const size_t width = unicode ? 2 : 1;
        for (size_t i = at; Has(i, width, what); i += width)
            if (bytes_[i] == 0 && (!unicode || bytes_[i + 1] == 0))
                return Text(at, (i - at) / width, unicode, what);
        return {};
    }

private:
    std::string_view Chars(size_t at, size_t count) const
    {
        return {reinterpret_cast<const char*>(bytes_.data() + at), count};
    }
    // Unpaired surrogates become U+FFFD.
    std::string Utf16ToUtf8(size_t at, size_t count) const
    {
        std::string out;
        for (size_t i = 0; i < count; ++i) {
            char32_t unit = char32_t(bytes_[at + 2 * i] | bytes_[at + 2 * i + 1] << 8);
            if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < count) {
                const char32_t low = char32_t(bytes_[at + 2 * i + 2] | bytes_[at + 2 * i + 3] << 8);
                if (low >= 0xDC00 && low < 0xE000) {
                    unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
            AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? kReplacementCharacter : unit);
        }
        return out;
    }

    std::span<const uint8_t> bytes_;
    size_t base_;
    std::string error_;
};

} // namespace platform::shelllink
