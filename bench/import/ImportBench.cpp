// World image analysis on generated worlds of 1024², 2048² and 4096² pixels.
//
// Extraction (pieces with masks and bounds, the piece map and the neighbour
// lists) against OpenCV's connected components on the land mask (4-connected,
// one thread, with and without statistics) and against a pixel-by-pixel
// two-pass union-find labeller over the 32-bit values. Goals: at most 1.0 ×
// OpenCV with statistics (stretch: 0.5 × OpenCV without), at most 0.5 × the
// pixel-by-pixel labeller. The whole analysis of 4096² under one second, and
// cost linear in the pixel count across the sizes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GeneratedWorld.h"
#include "NaiveLabeller.h"
#include "model/MapProject.h"
#include "model/Settings.h"

#ifdef VALDRUNE_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

constexpr uint32_t kSeed = 20240612;

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

void BM_Extraction(benchmark::State& state)
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

void BM_WholeAnalysis(benchmark::State& state)
{
    const World& world = WorldOfSide(int(state.range(0)));
    CMapProject project;
    for (auto _ : state) {
        state.PauseTiming();
        project.GetPieces().DeleteAll();
        state.ResumeTiming();
        ExtractWithNeighbours(project, world.image);
        project.ReconnectSmallPieces();
        project.PurgeProvinceMaps();
        project.ConvertSmallPieces();
        project.ReassignMapIndexes();
        project.CalcCastlePlaces();
    }
}

void BM_PixelByPixelLabeller(benchmark::State& state)
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

void BM_OpenCVWithStats(benchmark::State& state)
{
    cv::setNumThreads(1);
    const cv::Mat mask = LandMask(WorldOfSide(int(state.range(0))).image);
    cv::Mat labels, stats, centroids;
    for (auto _ : state)
        benchmark::DoNotOptimize(cv::connectedComponentsWithStats(mask, labels, stats, centroids, 4, CV_32S));
}

void BM_OpenCV(benchmark::State& state)
{
    cv::setNumThreads(1);
    const cv::Mat mask = LandMask(WorldOfSide(int(state.range(0))).image);
    cv::Mat labels;
    for (auto _ : state)
        benchmark::DoNotOptimize(cv::connectedComponents(mask, labels, 4, CV_32S));
}

BENCHMARK(BM_OpenCVWithStats)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenCV)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

BENCHMARK(BM_Extraction)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WholeAnalysis)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PixelByPixelLabeller)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps the median real time of every benchmark, to print the goals as ratios at the end.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.str()] = run.GetAdjustedRealTime();
    }
    // Milliseconds; 0 when the benchmark did not run.
    double Median(const std::string& name, int side) const
    {
        const auto it = medians.find(name + "/" + std::to_string(side) + "/real_time");
        return it == medians.end() ? 0.0 : it->second;
    }
    std::map<std::string, double> medians;
};

void PrintRatio(const char* what, double ours, double theirs, double goal)
{
    if (ours > 0 && theirs > 0)
        std::printf("    %-44s %6.2f (goal <= %.1f)\n", what, ours / theirs, goal);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nWorld image analysis (medians, ms):\n");
    for (int side : {1024, 2048, 4096}) {
        const double extraction = reporter.Median("BM_Extraction", side);
        const double whole = reporter.Median("BM_WholeAnalysis", side);
        std::printf("  %d² (%d pieces): extraction %.1f, whole analysis %.1f%s, OpenCV with stats %.1f, "
                    "OpenCV %.1f, pixel-by-pixel %.1f\n",
                    side, ExpectedRegions(side), extraction, whole, side == 4096 ? " (goal < 1000)" : "",
                    reporter.Median("BM_OpenCVWithStats", side), reporter.Median("BM_OpenCV", side),
                    reporter.Median("BM_PixelByPixelLabeller", side));
        PrintRatio("extraction / OpenCV with stats", extraction, reporter.Median("BM_OpenCVWithStats", side), 1.0);
        PrintRatio("extraction / OpenCV without stats (stretch)", extraction, reporter.Median("BM_OpenCV", side), 0.5);
        PrintRatio("extraction / pixel-by-pixel labeller", extraction,
                   reporter.Median("BM_PixelByPixelLabeller", side), 0.5);
    }
    // Linear cost: the time per pixel stays the same as the pixels grow 16-fold.
    const double small = reporter.Median("BM_WholeAnalysis", 1024), large = reporter.Median("BM_WholeAnalysis", 4096);
    if (small > 0 && large > 0)
        std::printf("  whole analysis per pixel, 4096² / 1024²: %.2f (linear: about 1)\n", large / small / 16.0);
    benchmark::Shutdown();
    return 0;
}
