// Blending and stretching of TBitmap32 against the baselines, on inputs built from a
// fixed seed and on a real world picture (data/worlds). Every baseline runs
// single-threaded on the same pixels; every benchmark writes into a target of its
// own whose pages are touched before timing.
#include "BenchGoals.h"

#include "graphics/Blend32.h"
#include "graphics/StretchPaths32.h"
#include "graphics/Transforms32.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#ifdef HAVE_PIXMAN
#include <pixman.h>
#endif
#ifdef HAVE_STB
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb_image_resize.h>
#endif
#ifdef HAVE_VIPS
#include <vips/vips8>
#endif
#ifdef HAVE_QT
#include <QImage>
#include <QPainter>
#include <QThreadPool>
#endif

namespace {

constexpr unsigned kSeed = 20240611;

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "benchmark input check failed: %s\n", what);
        std::exit(2);
    }
}

// Random colours; alpha drawn from [alphaLow, alphaHigh].
void FillRandom(TBitmap32& bitmap, int32_t width, int32_t height, uint32_t alphaLow, uint32_t alphaHigh, unsigned seed)
{
    bitmap.SetSize(width, height);
    std::mt19937 random(seed);
    std::uniform_int_distribution<uint32_t> alpha(alphaLow, alphaHigh);
    TColor32* p = bitmap.Bits();
    for (size_t i = 0; i < size_t(width) * size_t(height); ++i)
        p[i] = (alpha(random) << 24) | (random() & 0x00FFFFFF);
}

// ---- Inputs ------------------------------------------------------------------------

constexpr int32_t kBlendSize = 4096;
constexpr int32_t kStretchSize = 2048;
constexpr int32_t kKernelSize = 1024;

const TBitmap32& DenseSource()
{
    static TBitmap32 bitmap;
    if (bitmap.Empty()) {
        FillRandom(bitmap, kBlendSize, kBlendSize, 1, 254, kSeed);
        uint64_t inRange = 0;
        for (size_t i = 0; i < size_t(kBlendSize) * kBlendSize; ++i)
            inRange += (bitmap.Bits()[i] >> 24) - 1 < 254;
        Require(inRange == uint64_t(kBlendSize) * kBlendSize, "every dense source alpha in 1..254");
    }
    return bitmap;
}

// Transparent except one span of 64 partly transparent pixels in every 1024.
const TBitmap32& SparseSource()
{
    static TBitmap32 bitmap;
    if (bitmap.Empty()) {
        FillRandom(bitmap, kBlendSize, kBlendSize, 1, 254, kSeed + 1);
        TColor32* p = bitmap.Bits();
        uint64_t visible = 0;
        for (size_t i = 0; i < size_t(kBlendSize) * kBlendSize; ++i) {
            if (i % 1024 >= 64)
                p[i] &= 0x00FFFFFF;
            visible += (p[i] >> 24) != 0;
        }
        Require(visible == uint64_t(kBlendSize) * kBlendSize / 16, "one visible pixel in 16");
    }
    return bitmap;
}

TBitmap32& BlendTarget()
{
    static TBitmap32 bitmap;
    if (bitmap.Empty())
        FillRandom(bitmap, kBlendSize, kBlendSize, 255, 255, kSeed + 2);
    return bitmap;
}

const TBitmap32& Sprite()
{
    static TBitmap32 bitmap;
    if (bitmap.Empty())
        FillRandom(bitmap, 48, 48, 1, 254, kSeed + 3);
    return bitmap;
}

const std::vector<TPoint>& SpritePlaces()
{
    static std::vector<TPoint> places;
    if (places.empty()) {
        std::mt19937 random(kSeed + 4);
        std::uniform_int_distribution<int32_t> at(0, kBlendSize - 48);
        for (int i = 0; i < 400; ++i)
            places.push_back({at(random), at(random)});
        Require(places.size() == 400, "400 sprite places");
    }
    return places;
}

const TBitmap32& StretchSource()
{
    static TBitmap32 bitmap;
    if (bitmap.Empty())
        FillRandom(bitmap, kStretchSize, kStretchSize, 0, 255, kSeed + 5);
    return bitmap;
}

const TBitmap32& KernelSource()
{
    static TBitmap32 bitmap;
    if (bitmap.Empty())
        FillRandom(bitmap, kKernelSize, kKernelSize, 0, 255, kSeed + 6);
    return bitmap;
}

// A target of its own for one benchmark, every page touched so that no timed
// iteration pays for first use.
void PrepareTarget(TBitmap32& bitmap, int32_t width, int32_t height)
{
    bitmap.SetSize(width, height);
    bitmap.Clear(0xFF000000);
}

// The real world picture, a province map of 67 colours with an ocean.
const TBitmap32& RealWorld()
{
    static TBitmap32 bitmap;
    if (bitmap.Empty()) {
        bitmap.LoadFromFile(std::string(VALDRUNE_DATA_DIR) + "/worlds/kingdoms-640x480.bmp");
        Require(bitmap.Width() == 640 && bitmap.Height() == 480, "the real world picture is 640 x 480");
    }
    return bitmap;
}

constexpr int32_t kRealScale = 4; // the real world blown up to 2560 x 1920, as large worlds are

// The piece pictures of the real world blown up kRealScale times: one per colour, over
// the bounds of its pixels, opaque where the colour is and transparent elsewhere, as
// the editor blends them over the world.
struct PiecePicture {
    TPoint at;
    TBitmap32 picture;
};

const std::vector<std::unique_ptr<PiecePicture>>& RealPieces()
{
    static std::vector<std::unique_ptr<PiecePicture>> pieces;
    if (pieces.empty()) {
        const TBitmap32& world = RealWorld();
        std::map<TColor32, TRect> bounds;
        for (int32_t y = 0; y < world.Height(); ++y)
            for (int32_t x = 0; x < world.Width(); ++x) {
                auto [it, added] = bounds.try_emplace(world.GetPixel(x, y), TRect{x, y, x + 1, y + 1});
                TRect& r = it->second;
                r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
            }
        for (const auto& [color, r] : bounds) {
            auto piece = std::make_unique<PiecePicture>();
            piece->at = {r.Left * kRealScale, r.Top * kRealScale};
            piece->picture.SetSize(r.Width() * kRealScale, r.Height() * kRealScale);
            piece->picture.SetDrawMode(dmBlend);
            for (int32_t y = 0; y < piece->picture.Height(); ++y)
                for (int32_t x = 0; x < piece->picture.Width(); ++x) {
                    const TColor32 c = world.GetPixel(r.Left + x / kRealScale, r.Top + y / kRealScale);
                    piece->picture.SetPixel(x, y, c == color ? (c | 0xFF000000u) : 0);
                }
            pieces.push_back(std::move(piece));
        }
        Require(pieces.size() == 67, "67 colours in the real world picture");
    }
    return pieces;
}

// ---- The project's code --------------------------------------------------------------

void OursBlendRows(benchmark::State& state, const TBitmap32& src)
{
    TBitmap32& dst = BlendTarget();
    for (auto _ : state) {
        for (int32_t y = 0; y < kBlendSize; ++y)
            BlendLine(src.ScanLine(y), dst.ScanLine(y), kBlendSize);
        benchmark::ClobberMemory();
    }
}

void OursSprites(benchmark::State& state)
{
    TBitmap32& dst = BlendTarget();
    TBitmap32 sprite;
    sprite.Assign(&Sprite());
    sprite.SetDrawMode(dmBlend);
    for (auto _ : state) {
        for (const TPoint& p : SpritePlaces())
            BlockTransfer(&dst, p.X, p.Y, dst.BoundsRect(), &sprite, sprite.BoundsRect(), dmBlend);
        benchmark::ClobberMemory();
    }
}

void OursStretch(benchmark::State& state, const TBitmap32& src, double factor, TStretchFilter filter)
{
    TBitmap32 dst;
    PrepareTarget(dst, int32_t(src.Width() * factor), int32_t(src.Height() * factor));
    for (auto _ : state) {
        StretchTransfer(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect(), filter, dmOpaque);
        benchmark::ClobberMemory();
    }
}

// The box kernel is reached only through the resampler itself: the nearest filter takes
// its own path in StretchTransfer.
void OursBox(benchmark::State& state, double factor)
{
    const TBitmap32& src = KernelSource();
    const int32_t size = int32_t(src.Width() * factor);
    TBitmap32 dst;
    PrepareTarget(dst, size, size);
    const TPixelCombineEvent none;
    for (auto _ : state) {
        const stretch::Job job{dst, src, dst.BoundsRect(), dst.BoundsRect(), src.BoundsRect(), dmOpaque, 255, none};
        stretch::Resample(job, sfNearest);
        benchmark::ClobberMemory();
    }
}

// Every piece picture of the real world blended at its place, as the world is drawn.
void OursPieces(benchmark::State& state)
{
    TBitmap32 dst;
    PrepareTarget(dst, 640 * kRealScale, 480 * kRealScale);
    for (auto _ : state) {
        for (const auto& piece : RealPieces())
            BlockTransfer(&dst, piece->at.X, piece->at.Y, dst.BoundsRect(), &piece->picture,
                          piece->picture.BoundsRect(), dmBlend);
        benchmark::ClobberMemory();
    }
}

void Memcpy(benchmark::State& state)
{
    const TBitmap32& src = DenseSource();
    TBitmap32& dst = BlendTarget();
    for (auto _ : state) {
        std::memcpy(dst.Bits(), src.Bits(), size_t(kBlendSize) * kBlendSize * 4);
        benchmark::ClobberMemory();
    }
}

// ---- Baselines -----------------------------------------------------------------------

#ifdef HAVE_PIXMAN
pixman_image_t* PixmanImage(const TBitmap32& bitmap)
{
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, bitmap.Width(), bitmap.Height(),
                                    const_cast<uint32_t*>(bitmap.Bits()), bitmap.Width() * 4);
}

void PixmanOver(benchmark::State& state, const TBitmap32& src)
{
    pixman_image_t* s = PixmanImage(src);
    pixman_image_t* d = PixmanImage(BlendTarget());
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, kBlendSize, kBlendSize);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(s);
    pixman_image_unref(d);
}

void PixmanSprites(benchmark::State& state)
{
    pixman_image_t* s = PixmanImage(Sprite());
    pixman_image_t* d = PixmanImage(BlendTarget());
    for (auto _ : state) {
        for (const TPoint& p : SpritePlaces())
            pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, p.X, p.Y, 48, 48);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(s);
    pixman_image_unref(d);
}

void PixmanPieces(benchmark::State& state)
{
    TBitmap32 dst;
    PrepareTarget(dst, 640 * kRealScale, 480 * kRealScale);
    pixman_image_t* d = PixmanImage(dst);
    std::vector<pixman_image_t*> pictures;
    for (const auto& piece : RealPieces())
        pictures.push_back(PixmanImage(piece->picture));
    for (auto _ : state) {
        for (size_t i = 0; i < pictures.size(); ++i) {
            const PiecePicture& piece = *RealPieces()[i];
            pixman_image_composite32(PIXMAN_OP_OVER, pictures[i], nullptr, d, 0, 0, 0, 0, piece.at.X, piece.at.Y,
                                     piece.picture.Width(), piece.picture.Height());
        }
        benchmark::ClobberMemory();
    }
    for (pixman_image_t* picture : pictures)
        pixman_image_unref(picture);
    pixman_image_unref(d);
}

void PixmanScale(benchmark::State& state, const TBitmap32& src, double factor, pixman_filter_t filter)
{
    const int32_t width = int32_t(src.Width() * factor), height = int32_t(src.Height() * factor);
    TBitmap32 dst;
    PrepareTarget(dst, width, height);
    pixman_image_t* s = PixmanImage(src);
    pixman_image_t* d = PixmanImage(dst);
    pixman_transform_t transform;
    pixman_transform_init_scale(&transform, pixman_double_to_fixed(1 / factor), pixman_double_to_fixed(1 / factor));
    pixman_image_set_transform(s, &transform);
    pixman_image_set_filter(s, filter, nullptr, 0);
    pixman_image_set_repeat(s, PIXMAN_REPEAT_PAD);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, width, height);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(s);
    pixman_image_unref(d);
}
#endif

#ifdef HAVE_STB
void StbResize(benchmark::State& state, double factor, stbir_filter filter)
{
    const TBitmap32& src = KernelSource();
    const int32_t size = int32_t(src.Width() * factor);
    TBitmap32 dst;
    PrepareTarget(dst, size, size);
    for (auto _ : state) {
        stbir_resize_uint8_generic(reinterpret_cast<const unsigned char*>(src.Bits()), src.Width(), src.Height(), 0,
                                   reinterpret_cast<unsigned char*>(dst.Bits()), size, size, 0, 4,
                                   STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_CLAMP, filter, STBIR_COLORSPACE_LINEAR,
                                   nullptr);
        benchmark::ClobberMemory();
    }
}
#endif

#ifdef HAVE_VIPS
void VipsReduce(benchmark::State& state)
{
    const TBitmap32& src = KernelSource();
    vips::VImage image = vips::VImage::new_from_memory(const_cast<uint32_t*>(src.Bits()),
                                                       size_t(src.Width()) * src.Height() * 4, src.Width(),
                                                       src.Height(), 4, VIPS_FORMAT_UCHAR);
    for (auto _ : state) {
        vips::VImage reduced = image.reduce(2.0, 2.0, vips::VImage::option()->set("kernel", VIPS_KERNEL_LANCZOS3));
        size_t bytes = 0;
        void* pixels = reduced.write_to_memory(&bytes);
        benchmark::DoNotOptimize(pixels);
        g_free(pixels);
    }
}
#endif

#ifdef HAVE_QT
// Qt's smooth (bilinear) scaling through QPainter into a target kept across iterations.
void QtSmoothScale(benchmark::State& state, double factor)
{
    const TBitmap32& src = StretchSource();
    const QImage image(reinterpret_cast<const uchar*>(src.Bits()), src.Width(), src.Height(), src.Width() * 4,
                       QImage::Format_ARGB32_Premultiplied);
    const int size = int(src.Width() * factor);
    QImage target(size, size, QImage::Format_ARGB32_Premultiplied);
    target.fill(0);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(0, 0, size, size), image);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
#endif

void Register(const char* name, std::function<void(benchmark::State&)> fn)
{
    benchmark::RegisterBenchmark(name, [fn](benchmark::State& state) { fn(state); })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

void RegisterAll()
{
    Register("Blend4096/ours_BlendLine", [](auto& s) { OursBlendRows(s, DenseSource()); });
    Register("Blend4096/memcpy", Memcpy);
    Register("BlendSparse4096/ours_BlendLine", [](auto& s) { OursBlendRows(s, SparseSource()); });
    Register("Sprites400x48/ours_BlockTransfer", OursSprites);
    Register("PiecesRealWorld2560/ours_BlockTransfer", OursPieces);
    Register("NearestRealWorld640x4/ours", [](auto& s) { OursStretch(s, RealWorld(), kRealScale, sfNearest); });
    Register("BilinearRealWorld640x4/ours", [](auto& s) { OursStretch(s, RealWorld(), kRealScale, sfLinear); });
    Register("Nearest2048x2/ours", [](auto& s) { OursStretch(s, StretchSource(), 2, sfNearest); });
    Register("Nearest2048x0.5/ours", [](auto& s) { OursStretch(s, StretchSource(), 0.5, sfNearest); });
    Register("Bilinear2048x2/ours", [](auto& s) { OursStretch(s, StretchSource(), 2, sfLinear); });
    Register("Box1024x2/ours", [](auto& s) { OursBox(s, 2); });
    Register("Box1024x0.5/ours", [](auto& s) { OursBox(s, 0.5); });
    for (auto [name, filter] : {std::pair{"Linear", sfLinear}, {"Cubic", sfSpline}, {"Mitchell", sfMitchell}}) {
        Register((std::string(name) + "1024x2/ours").c_str(), [filter](auto& s) { OursStretch(s, KernelSource(), 2, filter); });
        Register((std::string(name) + "1024x0.5/ours").c_str(), [filter](auto& s) { OursStretch(s, KernelSource(), 0.5, filter); });
    }
    Register("Lanczos3_1024x0.5/ours", [](auto& s) { OursStretch(s, KernelSource(), 0.5, sfLanczos); });
#ifdef HAVE_PIXMAN
    Register("Blend4096/pixman_OVER", [](auto& s) { PixmanOver(s, DenseSource()); });
    Register("BlendSparse4096/pixman_OVER", [](auto& s) { PixmanOver(s, SparseSource()); });
    Register("Sprites400x48/pixman_OVER", PixmanSprites);
    Register("PiecesRealWorld2560/pixman_OVER", PixmanPieces);
    Register("Nearest2048x2/pixman", [](auto& s) { PixmanScale(s, StretchSource(), 2, PIXMAN_FILTER_NEAREST); });
    Register("Nearest2048x0.5/pixman", [](auto& s) { PixmanScale(s, StretchSource(), 0.5, PIXMAN_FILTER_NEAREST); });
    Register("Bilinear2048x2/pixman", [](auto& s) { PixmanScale(s, StretchSource(), 2, PIXMAN_FILTER_BILINEAR); });
    Register("NearestRealWorld640x4/pixman", [](auto& s) { PixmanScale(s, RealWorld(), kRealScale, PIXMAN_FILTER_NEAREST); });
    Register("BilinearRealWorld640x4/pixman", [](auto& s) { PixmanScale(s, RealWorld(), kRealScale, PIXMAN_FILTER_BILINEAR); });
#endif
#ifdef HAVE_QT
    Register("Bilinear2048x2/qt_QPainter_smooth", [](auto& s) { QtSmoothScale(s, 2); });
#endif
#ifdef HAVE_STB
    for (auto [name, filter] : {std::pair{"Box", STBIR_FILTER_BOX}, {"Linear", STBIR_FILTER_TRIANGLE},
                                {"Cubic", STBIR_FILTER_CUBICBSPLINE}, {"Mitchell", STBIR_FILTER_MITCHELL}}) {
        Register((std::string(name) + "1024x2/stb").c_str(), [filter](auto& s) { StbResize(s, 2, filter); });
        Register((std::string(name) + "1024x0.5/stb").c_str(), [filter](auto& s) { StbResize(s, 0.5, filter); });
    }
#endif
#ifdef HAVE_VIPS
    Register("Lanczos3_1024x0.5/vips_reduce", VipsReduce);
#endif
}

} // namespace

int main(int argc, char** argv)
{
#ifdef HAVE_VIPS
    if (VIPS_INIT(argv[0]) != 0)
        return 1;
    vips_concurrency_set(1);
    vips_cache_set_max(0);
#endif
#ifdef HAVE_QT
    QThreadPool::globalInstance()->setMaxThreadCount(1);
#endif
    RegisterAll();
    std::vector<BenchGoal> goals = {
        {"Blend4096/ours_BlendLine", "Blend4096/pixman_OVER", 1.2},
        {"Blend4096/ours_BlendLine", "Blend4096/memcpy", 1.5},
        {"BlendSparse4096/ours_BlendLine", "BlendSparse4096/pixman_OVER", 1.0},
        {"Sprites400x48/ours_BlockTransfer", "Sprites400x48/pixman_OVER", 1.1},
        {"PiecesRealWorld2560/ours_BlockTransfer", "PiecesRealWorld2560/pixman_OVER", 1.2},
        {"NearestRealWorld640x4/ours", "NearestRealWorld640x4/pixman", 1.2},
        {"BilinearRealWorld640x4/ours", "BilinearRealWorld640x4/pixman", 1.3},
        {"Nearest2048x2/ours", "Nearest2048x2/pixman", 1.2},
        {"Nearest2048x0.5/ours", "Nearest2048x0.5/pixman", 1.2},
        {"Bilinear2048x2/ours", "Bilinear2048x2/pixman", 1.3},
        {"Bilinear2048x2/ours", "Bilinear2048x2/qt_QPainter_smooth", 1.0},
        {"Lanczos3_1024x0.5/ours", "Lanczos3_1024x0.5/vips_reduce", 1.0},
    };
    for (const char* name : {"Box", "Linear", "Cubic", "Mitchell"})
        for (const char* scale : {"1024x2", "1024x0.5"})
            goals.push_back({std::string(name) + scale + "/ours", std::string(name) + scale + "/stb", 1.0});
    return RunWithGoals(argc, argv, goals);
}
