#pragma once
// Counts the heap bytes taken while a meter lives: the most held at once above what was
// held when the meter started. Under AddressSanitizer every allocation counts, those of
// malloc and of C libraries included; otherwise (this test program then replaces the
// global operator new and delete) those of operator new. One meter at a time.
#include <cstddef>

class HeapMeter {
public:
    HeapMeter();
    ~HeapMeter();
    HeapMeter(const HeapMeter&) = delete;
    HeapMeter& operator=(const HeapMeter&) = delete;

    size_t Peak() const;
};
