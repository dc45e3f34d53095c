// The mission export of generated 2048 x 2048 and 4096 x 4096 worlds.
//
// Like for like against libtiff: both sides start from the project and build the
// world codes the same way; ours then writes the world and domain blocks and the
// preview (the export's picture files), libtiff writes the same three byte layers
// (world codes, domain codes, preview) as one PackBits-compressed TIFF of three
// pages, in the same folder. The whole export (record, texts, pictures, both
// packages written, read back and flushed to disk) is reported on its own, and
// again with the editor's progress window shown, as Compile for the handheld runs.
// Goals: the pictures take at most 1.5 times the TIFF; four times the pixels cost
// about four times the time; the progress window costs at most 15 %.
#include "world/BlockImages.h"
#include "world/PreviewImage.h"
#include "world/WorldCodes.h"

#include "BenchGoals.h"
#include "SyntheticWorld.h"
#include "platform/FileSystem.h"
#include "ui/FormSlide.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#if defined(HAVE_TIFF)
#include <tiffio.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <sstream>

namespace {

constexpr int kCells = 9; // 9 x 9 provinces, whatever the size

// A world of `side` x `side` pixels: a sea along the west coast, provinces as
// regions around jittered seeds on a 9 x 9 grid, a band of green land in the
// south and a few small pieces. Built from raw mt19937 output, so the world is
// the same on every platform; checked by its piece and province counts.
struct BenchWorld {
    CMapProject project;
    int side = 0;

    explicit BenchWorld(int worldSide) : side(worldSide)
    {
        std::mt19937 random{uint32_t(worldSide)};
        const int cell = side / kCells;
        std::vector<int> seedX(kCells * kCells), seedY(kCells * kCells);
        for (int i = 0; i < kCells * kCells; ++i) {
            seedX[size_t(i)] = (i % kCells) * cell + int(random() % uint32_t(cell));
            seedY[size_t(i)] = (i / kCells) * cell + int(random() % uint32_t(cell));
        }
        const int sea = side / 8, south = side - side / 10;
        auto label = [&](int x, int y) {
            if (x < sea)
                return 0;
            if (y >= south)
                return 1;
            if (x % (side / 4) < 12 && y % (side / 4) < 12)
                return 2 + (x / (side / 4)) * 4 + y / (side / 4); // small pieces
            const int cx = std::min(x / cell, kCells - 1), cy = std::min(y / cell, kCells - 1);
            int64_t best = INT64_MAX;
            int owner = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = cx + dx, ny = cy + dy;
                    if (nx < 0 || ny < 0 || nx >= kCells || ny >= kCells)
                        continue;
                    const int s = ny * kCells + nx;
                    const int64_t ddx = seedX[size_t(s)] - x, ddy = seedY[size_t(s)] - y;
                    if (ddx * ddx + ddy * ddy < best) {
                        best = ddx * ddx + ddy * ddy;
                        owner = s;
                    }
                }
            return 18 + owner;
        };
        std::vector<uint32_t> kinds(18 + kCells * kCells, CProvinceMap::kProvince);
        kinds[0] = CProvinceMap::kOcean;
        kinds[1] = CProvinceMap::kGreenLand;
        for (int i = 2; i < 18; ++i)
            kinds[size_t(i)] = CProvinceMap::kSmall;
        project.standardUnitTypes = 4;
        project.resources = 3;
        project.CreateDefaultPlayers();
        project.GetStringTables().Add(std::make_unique<CStringTable>(project));
        project.GetPlayers().GetAt(0).active = 1;
        project.GetPlayers().GetAt(1).active = 1;
        test::AddLabelledPieces(project, side, side, label, kinds);
        test::AddProvincesForPieces(project);

        int provincePieces = 0;
        for (int i = 0; i < project.GetPieces().GetCount(); ++i)
            provincePieces += project.GetPieces().GetAt(i)->IsProvince() && !project.GetPieces().GetAt(i)->IsEmpty();
        // Some seeds fall into the sea or the southern land and leave their province empty.
        const int expected = side == 2048 ? 73 : side == 4096 ? 76 : provincePieces;
        if (project.GetPieces().GetCount() != 18 + kCells * kCells || provincePieces != expected) {
            std::fprintf(stderr, "generated world drifted: %d pieces, %d province pieces\n",
                         project.GetPieces().GetCount(), provincePieces);
            std::exit(1);
        }

    }
};

// The three byte layers libtiff writes, built from the project as the export builds
// its pictures: the world codes, then the domain codes and the preview worked out of them.
struct Layers {
    std::vector<uint8_t> world, domain, preview;
    uint32_t side = 0;

    bool Build(CMapProject& project, std::string& error)
    {
        CWorldCodes codes;
        if (!codes.Build(project, error))
            return false;
        side = uint32_t(codes.Width());
        world.resize(size_t(side) * side);
        for (int column = 0, left = 0; column < codes.Columns(); left += codes.StripWidth(column++)) {
            const size_t width = size_t(codes.StripWidth(column));
            const std::vector<uint8_t>& strip = codes.Strip(column);
            for (size_t y = 0; y < side; ++y)
                std::memcpy(world.data() + y * side + size_t(left), strip.data() + y * width, width);
        }
        domain.clear();
        for (int column = 0; column < codes.Columns(); ++column) {
            uint32_t width = 0, height = 0;
            const std::vector<uint8_t> strip = DomainStrip(codes, column, width, height);
            domain.insert(domain.end(), strip.begin(), strip.end());
        }
        preview = ShrinkPreview(codes, kPreviewSide, kPreviewSide);
        return true;
    }
};

BenchWorld& World(int side)
{
    static std::map<int, std::unique_ptr<BenchWorld>> worlds;
    auto& world = worlds[side];
    if (!world)
        world = std::make_unique<BenchWorld>(side);
    return *world;
}

void Export(benchmark::State& state, IProgressDisplay* progress)
{
    BenchWorld& world = World(int(state.range(0)));
    platform::TemporaryFolder out;
    std::ostringstream report;
    CMissionExportOptions options;
    options.packerReport = &report;
    options.clock = [] { return std::optional<int64_t>(1000000000); };
    options.temporaryParent = out.Path();
    world.project.SetProgressDisplay(progress);
    for (auto _ : state) {
        std::string error;
        if (!world.project.ExportMission(out.Path() / "bench.pdb", error, options)) {
            state.SkipWithError(error.c_str());
            break;
        }
        report.str({});
    }
    world.project.SetProgressDisplay(nullptr);
    state.SetItemsProcessed(int64_t(state.iterations()) * world.side * world.side);
}

void BM_Export(benchmark::State& state)
{
    Export(state, nullptr);
}
BENCHMARK(BM_Export)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// Compile for the handheld in the editor: the same export stepping the progress window.
void BM_ExportWithProgressWindow(benchmark::State& state)
{
    TFormSlide window;
    Export(state, &window);
}
BENCHMARK(BM_ExportWithProgressWindow)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// The picture files of the export: world codes built, then the world and domain
// blocks with their maps and the preview coded and written.
void BM_PicturesBuiltAndWritten(benchmark::State& state)
{
    BenchWorld& world = World(int(state.range(0)));
    platform::TemporaryFolder out;
    for (auto _ : state) {
        std::string error;
        CWorldCodes codes;
        if (!codes.Build(world.project, error) || !WriteWorldBlocks(world.project, codes, out.Path(), error) ||
            !WriteDomainBlocks(world.project, codes, out.Path(), error) ||
            !WritePreview(codes, out.Path() / "Preview.img", kPreviewSide, kPreviewSide, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * world.side * world.side);
}
BENCHMARK(BM_PicturesBuiltAndWritten)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

#if defined(HAVE_TIFF)
// One page of 8-bit grey pixels, PackBits-coded in strips.
bool WritePage(TIFF* tiff, const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height)
{
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_PACKBITS);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    for (uint32_t y = 0; y < height; ++y)
        if (TIFFWriteScanline(tiff, const_cast<uint8_t*>(pixels.data()) + size_t(y) * width, y, 0) < 0)
            return false;
    return TIFFWriteDirectory(tiff) != 0;
}

// The same layers built from the project, then written by libtiff.
void BM_TiffLayersBuiltAndWritten(benchmark::State& state)
{
    BenchWorld& world = World(int(state.range(0)));
    platform::TemporaryFolder out;
    const std::string file = (out.Path() / "layers.tif").string();
    Layers layers;
    for (auto _ : state) {
        std::string error;
        if (!layers.Build(world.project, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        TIFF* tiff = TIFFOpen(file.c_str(), "w");
        const bool ok = tiff && WritePage(tiff, layers.world, layers.side, layers.side) &&
                        WritePage(tiff, layers.domain, layers.side / 2, layers.side / 2) &&
                        WritePage(tiff, layers.preview, kPreviewSide, kPreviewSide);
        if (tiff)
            TIFFClose(tiff);
        if (!ok) {
            state.SkipWithError("libtiff could not write the layers");
            break;
        }
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * world.side * world.side);
}
BENCHMARK(BM_TiffLayersBuiltAndWritten)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv); // for the progress window
    return RunWithGoals(argc, argv,
                        {
                            {"BM_PicturesBuiltAndWritten/2048", "BM_TiffLayersBuiltAndWritten/2048", 1.5},
                            {"BM_PicturesBuiltAndWritten/4096", "BM_TiffLayersBuiltAndWritten/4096", 1.5},
                            // Four times the pixels: linear cost is a ratio of 4.
                            {"BM_Export/4096", "BM_Export/2048", 4.4},
                            {"BM_ExportWithProgressWindow/4096", "BM_Export/4096", 1.15},
                        });
}
