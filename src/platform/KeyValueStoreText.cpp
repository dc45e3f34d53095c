// The text of a store file. One record per line, each line ending in LF:
//
//   Valdrune key-value store 1        the first line, always
//   [<key>]                           opens a key: its path, sections joined by "\"
//   s <name>=<text>                   a string value of the key opened last
//   i <name>=<decimal>                an integer value (-2147483648..2147483647)
//
// Keys and names are written as the store keeps them (lower case). In keys, names and
// texts every byte below 0x20, 0x7F and the bytes "%", "=", "[" and "]" are written as
// "%" and two upper-case hex digits, so any byte string survives and a line never breaks.
// Every key created or written to is listed, also one without values, so that it still
// exists when read back; the keys above it exist by being part of its path. A key nested
// deeper than KeyValueStore::kMaxKeyDepth, and a text longer than kMaxTextBytes, are
// refused; the store refuses writes that would make either, so what it writes reads back.
#include "platform/KeyValueStore.h"

#include "platform/AsciiText.h"

#include <charconv>

namespace platform {
namespace {

constexpr std::string_view kFirstLine = "Valdrune key-value store 1";

bool NeedsEscape(unsigned char c)
{
    return c < 0x20 || c == 0x7F || c == '%' || c == '=' || c == '[' || c == ']';
}

size_t EscapedBytes(std::string_view text)
{
    size_t bytes = text.size();
    for (const char c : text)
        bytes += NeedsEscape(static_cast<unsigned char>(c)) ? 2 : 0;
    return bytes;
}

void AppendEscaped(std::string& out, std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (NeedsEscape(c)) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += ch;
        }
    }
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// False (with `error` set) for a "%" without two hex digits after it or a byte that must
// have been escaped.
bool Unescape(std::string_view text, std::string& out, std::string& error)
{
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '%') {
            const int high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
            const int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
            if (high < 0 || low < 0) {
                error = "\"%\" is not followed by two hex digits";
                return false;
            }
            out += char(high << 4 | low);
            i += 2;
        } else if (NeedsEscape(c)) {
            error = "byte " + std::to_string(c) + " must be written as \"%\" and two hex digits";
            return false;
        } else {
            out += char(c);
        }
    }
    return true;
}

bool ParseInteger(std::string_view text, int32_t& value)
{
    if (text.empty() || text[0] == '+')
        return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// Reads one value line ("s name=text" or "i name=number") into the values of its key.
template <typename Values>
bool ReadValueLine(std::string_view line, Values& values, std::string& error)
{
    const size_t equals = line.find('=');
    if (line.size() < 2 || line[1] != ' ' || equals == std::string_view::npos) {
        error = "expected \"[key]\", \"s name=text\" or \"i name=number\"";
        return false;
    }
    std::string name;
    if (!Unescape(line.substr(2, equals - 2), name, error))
        return false;
    const std::string_view data = line.substr(equals + 1);
    if (line[0] == 's') {
        std::string text;
        if (!Unescape(data, text, error))
            return false;
        values[LowerAscii(name)] = std::move(text);
        return true;
    }
    int32_t number = 0;
    if (!ParseInteger(data, number)) {
        error = "\"" + std::string(data.substr(0, 40)) + "\" is not a 32-bit integer";
        return false;
    }
    values[LowerAscii(name)] = number;
    return true;
}

} // namespace

size_t KeyValueStore::KeyLineBytes(std::string_view path)
{
    return EscapedBytes(path) + 3; // "[", "]" and the line break
}

size_t KeyValueStore::ValueLineBytes(std::string_view name, const Value& value)
{
    const auto* text = std::get_if<std::string>(&value);
    const size_t data = text != nullptr ? EscapedBytes(*text) : std::to_string(std::get<int32_t>(value)).size();
    return EscapedBytes(name) + data + 4; // "s " or "i ", "=" and the line break
}

size_t KeyValueStore::CountTextBytes() const
{
    size_t bytes = kFirstLine.size() + 1;
    for (const auto& [key, values] : keys_) {
        bytes += KeyLineBytes(key);
        for (const auto& [name, value] : values)
            bytes += ValueLineBytes(name, value);
    }
    return bytes;
}

std::string KeyValueStore::ToText() const
{
    std::string out(kFirstLine);
    out += '\n';
    for (const auto& [key, values] : keys_) {
        out += '[';
        AppendEscaped(out, key);
        out += "]\n";
        for (const auto& [name, value] : values) {
            const auto* text = std::get_if<std::string>(&value);
            out += text != nullptr ? "s " : "i ";
            AppendEscaped(out, name);
            out += '=';
            if (text != nullptr)
                AppendEscaped(out, *text);
            else
                out += std::to_string(std::get<int32_t>(value));
            out += '\n';
        }
    }
    return out;
}

bool KeyValueStore::FromText(std::string_view text, KeyValueStore& store, std::string& error)
{
    if (text.size() > kMaxTextBytes) {
        error = "the store is larger than " + std::to_string(kMaxTextBytes) + " bytes";
        return false;
    }
    KeyValueStore read;
    Values* values = nullptr; // of the key opened last
    std::string key;
    size_t lineNumber = 0;
    std::string lineError;
    for (size_t start = 0; start < text.size();) {
        ++lineNumber;
        const size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            error = "line " + std::to_string(lineNumber) + ": the file ends without a line break (it is cut short)";
            return false;
        }
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        bool ok = true;
        if (lineNumber == 1) {
            if (line != kFirstLine) {
                error = "line 1: this is not a store file (it does not start with \"" + std::string(kFirstLine) + "\")";
                return false;
            }
        } else if (!line.empty() && line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            ok = Unescape(line.substr(1, line.size() - 2), key, lineError);
            if (ok && KeyDepth(key) > kMaxKeyDepth) {
                lineError = "the key is nested " + std::to_string(KeyDepth(key)) + " levels deep; at most " +
                            std::to_string(kMaxKeyDepth) + " are allowed";
                ok = false;
            }
            if (ok)
                values = &read.ValuesOf(key);
        } else if (!line.empty() && (line[0] == 's' || line[0] == 'i')) {
            if (values == nullptr) {
                lineError = "a value before the first \"[key]\" line";
                ok = false;
            } else {
                ok = ReadValueLine(line, *values, lineError);
            }
        } else {
            lineError = "expected \"[key]\", \"s name=text\" or \"i name=number\"";
            ok = false;
        }
        if (!ok) {
            error = "line " + std::to_string(lineNumber) + ": " + lineError;
            return false;
        }
    }
    if (lineNumber == 0) {
        error = "the file is empty";
        return false;
    }
    // Written back, the text is no longer than it was read: keys and numbers come
    // back in their shortest form, and escapes only where they are needed.
    read.textBytes_ = read.CountTextBytes();
    read.OnChange = std::move(store.OnChange);
    store = std::move(read);
    return true;
}

} // namespace platform
