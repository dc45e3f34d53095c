#pragma once
// The target of a shortcut that names it only by its item id list: the shell's chain of
// item ids from the desktop down, read for the file-system items.
#include <cstdint>
#include <span>
#include <string>

namespace platform {

// The path ("C:\dir\file") that an item id list (its items and the closing 0, without
// the list's own size) names; empty when it holds an item other than the computer's root
// folder, a drive, a folder or a file, or an item it cannot read.
std::string PathFromItemIds(std::span<const uint8_t> list);

} // namespace platform
