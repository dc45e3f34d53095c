// Row coding of a 4096 x 4096 map-like byte image, cut into 128-pixel-wide strips
// as the export cuts the world, against a plain memcpy of the same bytes.
// Goal: coding takes at most 5 times the memcpy (ratio of medians).
#include "world/GfxPicture.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kSide = 4096;
constexpr uint32_t kStrip = 128;
constexpr uint32_t kCell = 64;  // one province seed per 64 x 64 cell

// Map-like content: provinces as regions around jittered seeds, each pixel
// `shade * 32 + local number`, with lighter and darker shades along the borders
// and ocean (255) wherever a seed falls in the sea band. Built from raw mt19937
// output so the bytes are the same on every platform.
std::vector<uint8_t> MapImage()
{
    std::mt19937 random(4096);
    const uint32_t cells = kSide / kCell;
    std::vector<uint32_t> seedX(cells * cells), seedY(cells * cells);
    for (uint32_t i = 0; i < cells * cells; ++i) {
        seedX[i] = (i % cells) * kCell + random() % kCell;
        seedY[i] = (i / cells) * kCell + random() % kCell;
    }
    std::vector<uint32_t> owner(size_t(kSide) * kSide);
    for (uint32_t y = 0; y < kSide; ++y) {
        for (uint32_t x = 0; x < kSide; ++x) {
            const int cx = int(x / kCell), cy = int(y / kCell);
            uint64_t best = UINT64_MAX;
            uint32_t bestSeed = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = cx + dx, ny = cy + dy;
                    if (nx < 0 || ny < 0 || nx >= int(cells) || ny >= int(cells))
                        continue;
                    const uint32_t s = uint32_t(ny) * cells + uint32_t(nx);
                    const int64_t ddx = int64_t(seedX[s]) - x, ddy = int64_t(seedY[s]) - y;
                    const uint64_t d = uint64_t(ddx * ddx + ddy * ddy);
                    if (d < best) {
                        best = d;
                        bestSeed = s;
                    }
                }
            }
            owner[size_t(y) * kSide + x] = bestSeed;
        }
    }
    std::vector<uint8_t> image(size_t(kSide) * kSide);
    for (uint32_t y = 0; y < kSide; ++y) {
        for (uint32_t x = 0; x < kSide; ++x) {
            const size_t i = size_t(y) * kSide + x;
            const uint32_t s = owner[i];
            if (seedX[s] < 600) {  // a band of sea along the west coast
                image[i] = 255;
                continue;
            }
            const bool eastBorder = x + 1 < kSide && owner[i + 1] != s;
            const bool southBorder = y + 1 < kSide && owner[i + kSide] != s;
            const bool westBorder = x > 0 && owner[i - 1] != s;
            const uint8_t shade = eastBorder || southBorder ? 3 : westBorder ? 2 : 0;
            image[i] = uint8_t(shade * 32 + s % 31);
        }
    }
    return image;
}

// The strips as the export hands them to the encoder: each row-major, 128 x 4096.
const std::vector<std::vector<uint8_t>>& Strips()
{
    static const std::vector<std::vector<uint8_t>> strips = [] {
        const std::vector<uint8_t> image = MapImage();
        uint64_t checksum = 1469598103934665603ull;
        for (uint8_t b : image)
            checksum = (checksum ^ b) * 1099511628211ull;
        if (checksum != 0x8e0df810e54685cfull) {
            std::fprintf(stderr, "map image drifted (checksum %016llx)\n", (unsigned long long)checksum);
            std::exit(1);
        }
        std::vector<std::vector<uint8_t>> out(kSide / kStrip, std::vector<uint8_t>(size_t(kStrip) * kSide));
        for (uint32_t s = 0; s < kSide / kStrip; ++s)
            for (uint32_t y = 0; y < kSide; ++y)
                std::memcpy(out[s].data() + size_t(y) * kStrip, image.data() + size_t(y) * kSide + s * kStrip, kStrip);
        return out;
    }();
    return strips;
}

void BM_RowCoding(benchmark::State& state)
{
    const auto& strips = Strips();
    std::vector<uint8_t> file;
    size_t coded = 0;
    for (auto _ : state) {
        coded = 0;
        for (const std::vector<uint8_t>& strip : strips) {
            CGfxPicture picture(kStrip, kSide, strip.data(), false);
            file.resize(picture.GetSize());
            coded += picture.Write(file);
            benchmark::DoNotOptimize(file.data());
        }
    }
    state.counters["coded_bytes"] = double(coded);
    state.SetBytesProcessed(int64_t(state.iterations()) * kSide * kSide);
}
BENCHMARK(BM_RowCoding)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Memcpy(benchmark::State& state)
{
    const auto& strips = Strips();
    std::vector<std::vector<uint8_t>> copies(strips.size(), std::vector<uint8_t>(strips[0].size()));
    for (auto _ : state) {
        for (size_t s = 0; s < strips.size(); ++s) {
            std::memcpy(copies[s].data(), strips[s].data(), strips[s].size());
            benchmark::DoNotOptimize(copies[s].data());
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kSide * kSide);
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps the median real time of each benchmark (or its single run when there are
// no repetitions) to print the goal ratios after the run.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[name] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration && !medians.count(name + "#median"))
                singles[name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    double Median(const std::string& name) const
    {
        auto it = medians.find(name);
        if (it != medians.end())
            return it->second;
        auto single = singles.find(name);
        return single != singles.end() ? single->second : 0;
    }

private:
    std::map<std::string, double> medians, singles;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double coding = reporter.Median("BM_RowCoding"), copy = reporter.Median("BM_Memcpy");
    if (coding > 0 && copy > 0)
        std::printf("\nrow coding / memcpy: %.2f (goal <= 5)\n", coding / copy);
    benchmark::Shutdown();
    return 0;
}
