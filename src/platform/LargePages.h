#pragma once
// Large buffers on large pages. A fresh buffer's memory is handed out by the
// system one 4 KiB page at a time, on first touch; for the pixel planes of a
// large world (64 MiB at 4096 × 4096) taking those pages costs more than the
// work done on them. Advised buffers take 2 MiB pages instead, one fault per
// 2 MiB. The advice changes no content and may be ignored by the system.
#include <cstddef>
#include <vector>

namespace platform {

// Asks for large pages under the whole 2 MiB blocks of [start, start + bytes)
// when the range is large enough to hold several; best done before the
// memory is first touched.
void AdviseLargePages(void* start, size_t bytes);

// `buffer` resized to `count` elements, its memory advised before the new
// elements are written.
template <typename T>
void ResizeOnLargePages(std::vector<T>& buffer, size_t count)
{
    if (count > buffer.capacity()) {
        buffer.reserve(count);
        AdviseLargePages(buffer.data(), count * sizeof(T));
    }
    buffer.resize(count);
}

} // namespace platform
