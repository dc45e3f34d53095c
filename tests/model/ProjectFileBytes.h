#pragma once
// The project file written out by hand, field by field, for the tests that
// check the stored form byte by byte and alter single fields. Marks name the
// offsets of the fields those tests change.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class FileBytes {
public:
    FileBytes& D(uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(uint8_t(value >> 8 * i));
        return *this;
    }
    FileBytes& W(uint16_t value)
    {
        bytes.push_back(uint8_t(value));
        bytes.push_back(uint8_t(value >> 8));
        return *this;
    }
    FileBytes& B(uint8_t value)
    {
        bytes.push_back(value);
        return *this;
    }
    FileBytes& A(const std::string& text)
    {
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.push_back(0);
        return *this;
    }
    // Names the offset of the next byte.
    FileBytes& Mark(const std::string& name)
    {
        marks[name] = bytes.size();
        return *this;
    }
    size_t At(const std::string& name) const { return marks.at(name); }

    std::vector<uint8_t> bytes;
    std::map<std::string, size_t> marks;
};
