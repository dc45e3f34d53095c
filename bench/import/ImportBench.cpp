// World image analysis on generated worlds of 1024², 2048² and 4096² pixels.
//
// Our extraction labels the colour regions (about 1000) and builds each
// piece's mask and bounds, the piece map and the neighbour lists. The
// like-for-like baseline labels the same colour regions: a pixel-by-pixel
// two-pass union-find labeller over the 32-bit values. OpenCV's connected
// components (4-connected, one thread, with and without statistics) solve an
// easier problem, as their names say: one binary land mask built before timing
// (about 100 components). Goals: at most 0.5 × the pixel-by-pixel labeller, at
// most 1.0 × OpenCV's binary labelling with statistics (stretch: 0.5 × without).
// The whole import of 4096² under one second, and cost linear in the pixel count
// across the sizes.
//
// The peak memory of importing a 4096² picture of random colours (a noisy
// photograph: about 16.7 million regions, of which at most 1501 could become
// pieces, so the import refuses it once its regions are counted), as the
// largest resident set of a fresh process that does nothing else (its VmHWM):
// the figure is the counter peak_MB.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchGoals.h"
#include "GeneratedWorld.h"
#include "NaiveLabeller.h"
#include "model/MapProject.h"
#include "model/Settings.h"
#include "platform/FileSystem.h"

#ifdef VALDRUNE_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

constexpr uint32_t kSeed = 20240612;
// The first argument that makes this program import the picture named by the
// second one and do nothing else; the exit status says whether the import
// refused it without making a piece.
constexpr const char* kImportOnly = "--import-only";

// Regions of each generated world, so that the input cannot drift.
int ExpectedRegions(int side)
{
    switch (side) {
    case 1024: return EXPECTED_1024;
    case 2048: return EXPECTED_2048;
    default: return EXPECTED_4096;
    }
}

struct World {
    TBitmap32 image;
    int regions = 0;
};

const World& WorldOfSide(int side)
{
    static std::map<int, std::unique_ptr<World>> worlds;
    std::unique_ptr<World>& world = worlds[side];
    if (!world) {
        world = std::make_unique<World>();
        GenerateWorld(side, kSeed, world->image);
        std::vector<int32_t> labels;
        world->regions = LabelPixelByPixel(world->image, labels);
        if (world->regions != ExpectedRegions(side) || world->regions > CMapProject::kMaxPieces) {
            std::fprintf(stderr, "The generated %d² world has %d regions, expected %d\n", side, world->regions,
                         ExpectedRegions(side));
            std::exit(1);
        }
    }
    return *world;
}

void ExtractWithNeighbours(CMapProject& project, const TBitmap32& image)
{
    project.SetMapSize(uint16_t(image.Width()), uint16_t(image.Height()));
    project.ExtractPieces(image);
    project.CalcNeighbours(0);
}

void BM_OursColourRegionsMasksPieceMapNeighbours(benchmark::State& state)
{
    const World& world = WorldOfSide(int(state.range(0)));
    CMapProject project;
    for (auto _ : state) {
        state.PauseTiming();
        project.GetPieces().DeleteAll();
        state.ResumeTiming();
        ExtractWithNeighbours(project, world.image);
    }
    if (project.GetPieces().GetCount() != world.regions)
        state.SkipWithError("the extraction found another number of pieces");
}

// The whole import from a BMP file (loading, extraction, kinds, neighbours,
// small pieces, castle places), the provinces and the piece pictures, without a
// window.
void BM_WholeImport(benchmark::State& state)
{
    const World& world = WorldOfSide(int(state.range(0)));
    const platform::TemporaryFolder folder;
    const std::filesystem::path file = folder.Path() / "world.bmp";
    world.image.SaveToFile(file);
    CMapProject project;
    project.GetStringTables().Add(std::make_unique<CStringTable>(project));
    for (auto _ : state) {
        state.PauseTiming();
        project.GetProvinces().DeleteAll();
        state.ResumeTiming();
        project.ImportWorldImage(file, false);
        project.CreateProvincesFromPieces();
        project.RedrawPieces(true);
    }
    if (project.GetProvinces().GetSize() == 0)
        state.SkipWithError("the import made no province");
}

// The largest resident set this process has had since it started, in kB: its
// own, not that of the process that started it.
long PeakResidentKilobytes()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    long kilobytes = -1;
    while (status && std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld", &kilobytes) == 1)
            break;
    if (status)
        std::fclose(status);
    return kilobytes;
}

// Imports `file` and prints the peak resident set in kB; fails unless the
// import refused it and left no piece.
int ImportOnly(const char* file)
{
    CMapProject project;
    const int imported = project.ImportWorldImage(file, false);
    std::printf("%ld\n", PeakResidentKilobytes());
    return imported == 0 && project.GetPieces().GetCount() == 0 ? 0 : 1;
}

void BM_NoisyImportPeakMemory(benchmark::State& state)
{
    const int side = int(state.range(0));
    const platform::TemporaryFolder folder;
    const std::string file = (folder.Path() / "noise.bmp").string();
    {
        TBitmap32 image;
        image.SetSize(side, side);
        std::mt19937 random(kSeed);
        TColor32* pixel = image.Bits();
        for (size_t i = 0; i < size_t(side) * size_t(side); ++i)
            pixel[i] = 0xFF000000 | TColor32(random());
        image.SaveToFile(file);
    }
    const std::string command =
        "'" + std::filesystem::read_symlink("/proc/self/exe").string() + "' " + kImportOnly + " '" + file + "'";
    long peakKilobytes = 0;
    for (auto _ : state) {
        std::FILE* child = popen(command.c_str(), "r");
        if (!child || std::fscanf(child, "%ld", &peakKilobytes) != 1 || pclose(child) != 0) {
            state.SkipWithError("the import in its own process did not refuse the picture");
            return;
        }
    }
    state.counters["peak_MB"] = double(peakKilobytes) / 1024;
}

void BM_PixelByPixelColourRegions(benchmark::State& state)
{
    const World& world = WorldOfSide(int(state.range(0)));
    std::vector<int32_t> labels;
    for (auto _ : state)
        benchmark::DoNotOptimize(LabelPixelByPixel(world.image, labels));
}

#ifdef VALDRUNE_HAVE_OPENCV
cv::Mat LandMask(const TBitmap32& image)
{
    cv::Mat mask(image.Height(), image.Width(), CV_8U);
    const TColor32 ocean = TheSettings().OceanColor();
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            mask.at<uint8_t>(y, x) = image.GetPixel(x, y) != ocean ? 255 : 0;
    return mask;
}

void BM_OpenCVBinaryLandMaskWithStats(benchmark::State& state)
{
    cv::setNumThreads(1);
    const cv::Mat mask = LandMask(WorldOfSide(int(state.range(0))).image);
    cv::Mat labels, stats, centroids;
    for (auto _ : state)
        benchmark::DoNotOptimize(cv::connectedComponentsWithStats(mask, labels, stats, centroids, 4, CV_32S));
}

void BM_OpenCVBinaryLandMask(benchmark::State& state)
{
    cv::setNumThreads(1);
    const cv::Mat mask = LandMask(WorldOfSide(int(state.range(0))).image);
    cv::Mat labels;
    for (auto _ : state)
        benchmark::DoNotOptimize(cv::connectedComponents(mask, labels, 4, CV_32S));
}

BENCHMARK(BM_OpenCVBinaryLandMaskWithStats)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenCVBinaryLandMask)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

BENCHMARK(BM_OursColourRegionsMasksPieceMapNeighbours)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WholeImport)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NoisyImportPeakMemory)->Arg(4096)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PixelByPixelColourRegions)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], kImportOnly) == 0)
        return ImportOnly(argv[2]);
    std::vector<BenchGoal> goals;
    for (const std::string side : {"1024", "2048", "4096"}) {
        const std::string ours = "BM_OursColourRegionsMasksPieceMapNeighbours/" + side;
        goals.push_back({ours, "BM_OpenCVBinaryLandMaskWithStats/" + side, 1.0});
        goals.push_back({ours, "BM_OpenCVBinaryLandMask/" + side, 0.5}); // stretch goal
        goals.push_back({ours, "BM_PixelByPixelColourRegions/" + side, 0.5});
    }
    // Near-linear cost: 16 times the pixels, at most 17 times the time.
    goals.push_back({"BM_WholeImport/4096", "BM_WholeImport/1024", 17.0});
    return RunWithGoals(argc, argv, goals);
}
