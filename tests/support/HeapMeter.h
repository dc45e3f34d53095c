#pragma once
// Counts the heap bytes taken through operator new while a meter lives (this
// test program replaces the global operator new and delete): the most held at
// once above what was held when the meter started. One meter at a time.
#include <cstddef>

class HeapMeter {
public:
    HeapMeter();
    ~HeapMeter();
    HeapMeter(const HeapMeter&) = delete;
    HeapMeter& operator=(const HeapMeter&) = delete;

    size_t Peak() const;
};
