// Feeds outside bytes to the file splitter, which reads picture and animation
// layouts back to cut large files into database resources.
// Input: byte 0 picks the extension (img, ani, wav, dat); the rest is the file.
// Short files are also tried padded with zeros past the 64000-byte limit, so that
// small inputs reach the layout readers.
#include "world/FileSplitter.h"
#include "world/PackDirectory.h"

#include <cstdlib>
#include <numeric>

namespace {

void Check(std::span<const uint8_t> file, uint32_t extension)
{
    std::vector<uint32_t> pieces;
    std::string error;
    if (!SplitFileBytes(file, extension, pieces, error)) {
        if (error.empty())
            std::abort();  // every refusal says why
        return;
    }
    // The pieces are consecutive ranges that cover the file exactly.
    const uint64_t total = std::accumulate(pieces.begin(), pieces.end(), uint64_t(0));
    if (total != file.size() || pieces.empty() || pieces.size() > kMaxPieces)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const uint32_t extensions[4] = {EntryExtension("x.img"), EntryExtension("x.ani"), EntryExtension("x.wav"),
                                           EntryExtension("x.dat")};
    const uint32_t extension = extensions[data[0] % 4];
    std::span<const uint8_t> file(data + 1, size - 1);
    Check(file, extension);
    if (file.size() <= kMaxResourceSize) {
        std::vector<uint8_t> padded(file.begin(), file.end());
        padded.resize(kMaxResourceSize + 1, 0);
        Check(padded, extension);
    }
    return 0;
}
