#include "world/BlockImages.h"

#include "platform/FileSystem.h"
#include "world/PictureFile.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Block code -> domain code: the shade bits 7..5 fold 1 and 2 (lightened) to 2
// and 3 and 4 (darkened) to 3; the local number and the codes 31 (land) and
// 255 (ocean) stay.
uint8_t DomainCode(uint8_t code)
{
    const uint8_t shade = code >> 5;
    return uint8_t(code + (shade == 1 ? 1 << 5 : 0) - (shade == 4 ? 1 << 5 : 0));
}

std::string Numbered(const char* name, int number)
{
    return name + std::to_string(number) + ".img";
}

bool WriteMap(CWorldCodes& codes, const std::filesystem::path& file, int width, int height, std::string& error)
{
    return platform::WriteScratchFile(file, codes.MapBytes(uint16_t(width), uint16_t(height)), error);
}

} // namespace

bool WriteWorldBlocks(CMapProject& project, CWorldCodes& codes, const std::filesystem::path& folder,
                      std::string& error)
{
    CProgressScope progress(project, "Writing image file...", codes.Columns());
    for (int column = 0; column < codes.Columns(); ++column) {
        if (!WritePictureFile(folder / Numbered("block", column), uint32_t(codes.StripWidth(column)),
                              uint32_t(codes.Height()), codes.Strip(column).data(), error))
            return false;
        progress.Step(column + 1);
    }
    return WriteMap(codes, folder / "map.dat", codes.Width(), codes.Height(), error);
}

bool HasDomainImage(int width, int height)
{
    return width > kDomainThreshold || height > kDomainThreshold;
}

std::vector<uint8_t> DomainStrip(const CWorldCodes& codes, int column, uint32_t& width, uint32_t& height)
{
    const int stripWidth = codes.StripWidth(column);
    width = uint32_t(stripWidth / 2);
    height = uint32_t(codes.Height() / 2);
    std::vector<uint8_t> pixels(size_t(width) * height);
    const uint8_t* strip = codes.Strip(column).data();
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* source = strip + size_t(2 * y) * size_t(stripWidth);
        uint8_t* out = pixels.data() + size_t(y) * width;
        uint32_t x = 0;
#if defined(__SSE2__)
        // 16 codes at once: the even bytes of 32, then the shade fold as compares.
        const __m128i even = _mm_set1_epi16(0x00FF), shadeBits = _mm_set1_epi8(char(0xE0));
        const __m128i lightTwice = _mm_set1_epi8(1 << 5), darkTwice = _mm_set1_epi8(char(4 << 5));
        const __m128i step = _mm_set1_epi8(1 << 5);
        for (; x + 16 <= width; x += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 2 * x));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 2 * x + 16));
            const __m128i code = _mm_packus_epi16(_mm_and_si128(a, even), _mm_and_si128(b, even));
            const __m128i shade = _mm_and_si128(code, shadeBits);
            const __m128i up = _mm_and_si128(_mm_cmpeq_epi8(shade, lightTwice), step);
            const __m128i down = _mm_and_si128(_mm_cmpeq_epi8(shade, darkTwice), step);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_sub_epi8(_mm_add_epi8(code, up), down));
        }
#endif
        for (; x < width; ++x)
            out[x] = DomainCode(source[2 * x]);
    }
    return pixels;
}

bool WriteDomainBlocks(CMapProject& project, CWorldCodes& codes, const std::filesystem::path& folder,
                       std::string& error)
{
    if (!HasDomainImage(codes.Width(), codes.Height()))
        return true;
    // The strips are folded and coded first, then written: two stages.
    CProgressScope progress(project, "Compressing domains image...", codes.Columns() * codes.Rows());
    std::vector<std::vector<uint8_t>> pictures(size_t(codes.Columns()));
    for (int column = 0; column < codes.Columns(); ++column) {
        uint32_t width = 0, height = 0;
        const std::vector<uint8_t> pixels = DomainStrip(codes, column, width, height);
        if (!CodePicture(Numbered("domblock", column), width, height, pixels.data(), pictures[size_t(column)], error))
            return false;
        progress.Step((column + 1) * codes.Rows());
    }
    progress.Restart("Writing image file...", codes.Columns());
    for (int column = 0; column < codes.Columns(); ++column) {
        if (!platform::WriteScratchFile(folder / Numbered("domblock", column), pictures[size_t(column)], error))
            return false;
        progress.Step(column + 1);
    }
    return WriteMap(codes, folder / "dommap.dat", codes.Width() / 2, codes.Height() / 2, error);
}

bool CMapProject::ExportWorldImage(const std::filesystem::path& folder, std::string& error)
{
    CWorldCodes codes;
    return codes.Build(*this, error) && WriteWorldBlocks(*this, codes, folder, error);
}

bool CMapProject::ExportDomainImage(const std::filesystem::path& folder, std::string& error)
{
    if (!HasDomainImage(GetWidth(), GetHeight()))
        return true;
    CWorldCodes codes;
    return codes.Build(*this, error) && WriteDomainBlocks(*this, codes, folder, error);
}
