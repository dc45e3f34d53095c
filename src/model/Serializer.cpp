#include "model/Serializer.h"

#include <cstring>

namespace VK {
namespace {

// What a reader gets back of a stored string: everything up to its first NUL.
std::string_view StoredText(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

} // namespace

void CSerialSizer::SerializeCString(CString* value)
{
    size_ += StoredText(value->View()).size() + 1;
}

void CSerialSizer::SerializeAnsiString(std::string* value)
{
    size_ += StoredText(*value).size() + 1;
}

bool CSerialBuffer::Claim(size_t n)
{
    if (error)
        return false;
    if (n > capacity - position) {
        error = 1;
        return false;
    }
    return true;
}

// ---- Saver -----------------------------------------------------------------

void CSerialSaver::Write(const uint8_t* bytes, size_t n)
{
    if (!Claim(n))
        return;
    std::memcpy(buffer_ + position, bytes, n);
    position += n;
}

void CSerialSaver::SerializeDword(uint32_t* value)
{
    const uint8_t bytes[4] = {uint8_t(*value), uint8_t(*value >> 8), uint8_t(*value >> 16), uint8_t(*value >> 24)};
    Write(bytes, 4);
}

void CSerialSaver::SerializeWord(uint16_t* value)
{
    const uint8_t bytes[2] = {uint8_t(*value), uint8_t(*value >> 8)};
    Write(bytes, 2);
}

void CSerialSaver::SerializeByte(uint8_t* value)
{
    Write(value, 1);
}

void CSerialSaver::SerializeFlag(uint32_t* value)
{
    const uint8_t low = uint8_t(*value);
    Write(&low, 1);
}

void CSerialSaver::WriteText(std::string_view text)
{
    text = StoredText(text);
    if (!Claim(text.size() + 1))
        return;
    std::memcpy(buffer_ + position, text.data(), text.size());
    buffer_[position + text.size()] = 0;
    position += text.size() + 1;
}

void CSerialSaver::SerializeCString(CString* value)
{
    WriteText(value->View());
}

void CSerialSaver::SerializeAnsiString(std::string* value)
{
    WriteText(*value);
}

// ---- Loader ----------------------------------------------------------------

const uint8_t* CSerialLoader::Read(size_t n)
{
    if (!Claim(n))
        return nullptr;
    const uint8_t* bytes = buffer_ + position;
    position += n;
    return bytes;
}

void CSerialLoader::SerializeDword(uint32_t* value)
{
    if (const uint8_t* b = Read(4))
        *value = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

void CSerialLoader::SerializeWord(uint16_t* value)
{
    if (const uint8_t* b = Read(2))
        *value = uint16_t(b[0] | b[1] << 8);
}

void CSerialLoader::SerializeByte(uint8_t* value)
{
    if (const uint8_t* b = Read(1))
        *value = *b;
}

void CSerialLoader::SerializeFlag(uint32_t* value)
{
    if (const uint8_t* b = Read(1))
        *value = *b;
}

void CSerialLoader::SerializeBytes(uint8_t* bytes, size_t n)
{
    if (const uint8_t* b = Read(n))
        std::memcpy(bytes, b, n);
}

const char* CSerialLoader::ReadText()
{
    if (!Claim(1)) // even an empty text needs its NUL
        return nullptr;
    const void* nul = std::memchr(buffer_ + position, 0, capacity - position);
    if (!nul) {
        error = 1;
        return nullptr;
    }
    const size_t n = size_t(static_cast<const uint8_t*>(nul) - (buffer_ + position)) + 1;
    return reinterpret_cast<const char*>(Read(n));
}

void CSerialLoader::SerializeCString(CString* value)
{
    const size_t start = position;
    const char* text = ReadText();
    // A text longer than the string can hold is damaged input, not something to cut short.
    if (text && !value->Assign(text)) {
        error = 1;
        position = start;
    }
}

void CSerialLoader::SerializeAnsiString(std::string* value)
{
    if (const char* text = ReadText())
        value->assign(text);
}

} // namespace VK
