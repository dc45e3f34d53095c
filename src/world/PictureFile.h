#pragma once
// Writing one handheld picture (".img") file.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Codes `pixels` (width x height bytes, row-major) as a one-frame picture with
// transparency off into `bytes`. False with `error` naming `file` when the
// picture cannot be coded.
bool CodePicture(const std::filesystem::path& file, uint32_t width, uint32_t height, const uint8_t* pixels,
                 std::vector<uint8_t>& bytes, std::string& error);

// Codes the picture as CodePicture does and writes it to `file`. False with
// `error` naming the file when the picture cannot be coded or written.
bool WritePictureFile(const std::filesystem::path& file, uint32_t width, uint32_t height, const uint8_t* pixels,
                      std::string& error);
