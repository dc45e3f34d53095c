// Repaint of a 1920 x 1080 view of a 4096 x 4096 world at scales 1, 2, 4 and 8 with
// 400 blended layers of 24 to 64 pixels anchored to world points: half keep their size
// (markers), half grow with the scale (icons). The same draw list is drawn by QPainter
// into a QImage in the same run. The image control's side includes what the editor
// does next: the buffer blitted through the QPainter canvas onto a screen-sized
// image. Qt runs on one thread, as the image control does. Goals: at most 1.2 times
// QPainter's time at every scale, and under 8 ms.
#include "graphics/Image32.h"
#include "platform/qt/QPainterCanvas.h"

#include <QImage>
#include <QPainter>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int32_t kWorld = 4096;
constexpr int32_t kViewW = 1920, kViewH = 1080;
constexpr int kLayers = 400;
constexpr uint32_t kSeed = 20240611;

// Shows a fixed window of the control, as a scroll box would.
class WindowHost : public platform::ControlHost {
public:
    explicit WindowHost(platform::Rect visible) : visible_(visible) {}
    void RequestRepaint() override {}
    void RepaintNow(const platform::Rect&) override {}
    void ApplyBounds(const platform::Rect&) override {}
    void ApplyVisible(bool) override {}
    void ApplyEnabled(bool) override {}
    void ApplyTabStop(bool) override {}
    void ApplyCursor(platform::CursorId) override {}
    void ApplyMouseCapture(bool) override {}
    void TakeFocus() override {}
    platform::Rect VisibleRect() const override { return visible_; }

private:
    platform::Rect visible_;
};

struct LayerSpec {
    int32_t worldX, worldY, size;
    bool growsWithScale;
    TBitmap32 bitmap;
    QImage image; // the same pixels, premultiplied for QPainter
};

// The world and the layers, built once from the fixed seed.
struct Scene {
    TBitmap32 world;
    std::vector<std::unique_ptr<LayerSpec>> layers;
    uint64_t checksum = 0;

    Scene()
    {
        std::mt19937 random(kSeed);
        world.SetSize(kWorld, kWorld);
        // Provinces as 64 x 64 blocks of one colour with a little noise, like a painted map.
        for (int32_t y = 0; y < kWorld; ++y) {
            TColor32* row = world.ScanLine(y);
            for (int32_t x = 0; x < kWorld; ++x) {
                const uint32_t block = uint32_t((y / 64) * 64 + x / 64) * 2654435761u;
                row[x] = 0xFF000000 | (block & 0xFCFCFC) | (x ^ y) % 4;
            }
        }
        for (int i = 0; i < kLayers; ++i) {
            auto spec = std::make_unique<LayerSpec>();
            spec->worldX = int32_t(random() % kWorld);
            spec->worldY = int32_t(random() % kWorld);
            spec->size = 24 + int32_t(random() % 41);
            spec->growsWithScale = i % 2 == 1;
            const TColor32 color = random() & 0xFFFFFF;
            // A disc with a soft, translucent edge on a transparent square.
            const int32_t n = spec->size;
            spec->bitmap.SetSize(n, n);
            spec->bitmap.SetDrawMode(dmBlend);
            const float r = n / 2.0f;
            for (int32_t y = 0; y < n; ++y)
                for (int32_t x = 0; x < n; ++x) {
                    const float dx = x + 0.5f - r, dy = y + 0.5f - r;
                    const float edge = r - std::sqrt(dx * dx + dy * dy);
                    const uint32_t alpha = edge <= 0 ? 0 : edge >= 2 ? 220 : uint32_t(edge * 110);
                    spec->bitmap.SetPixel(x, y, alpha << 24 | color);
                }
            spec->image = QImage(reinterpret_cast<const uchar*>(spec->bitmap.Bits()), n, n, n * 4,
                                 QImage::Format_ARGB32)
                              .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            checksum = checksum * 31 + uint64_t(spec->worldX) * 7 + uint64_t(spec->worldY) * 3 + uint64_t(n) + color;
            layers.push_back(std::move(spec));
        }
    }

    // Where a layer lands in control pixels at `scale`.
    static TRect LayerRect(const LayerSpec& layer, int32_t scale)
    {
        if (layer.growsWithScale) {
            const int32_t left = layer.worldX * scale, top = layer.worldY * scale;
            return TRect{left, top, left + layer.size * scale, top + layer.size * scale};
        }
        const int32_t left = layer.worldX * scale - layer.size / 2, top = layer.worldY * scale - layer.size / 2;
        return TRect{left, top, left + layer.size, top + layer.size};
    }

    // The window into the middle of the world at `scale`.
    static platform::Rect View(int32_t scale)
    {
        const int32_t cx = kWorld * scale / 2, cy = kWorld * scale / 2;
        return {cx - kViewW / 2, cy - kViewH / 2, cx + kViewW / 2, cy + kViewH / 2};
    }
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

void CheckScene(benchmark::State& state)
{
    const Scene& scene = TheScene();
    if (scene.layers.size() != size_t(kLayers) || scene.world.Width() != kWorld || scene.checksum != 6822359357358259012ull)
        state.SkipWithError(("the input drifted: checksum " + std::to_string(scene.checksum)).c_str());
}

void BM_Image32Repaint(benchmark::State& state)
{
    CheckScene(state);
    const int32_t scale = int32_t(state.range(0));
    Scene& scene = TheScene();
    TImage32 image;
    WindowHost host(Scene::View(scale));
    image.AttachHost(&host);
    image.SetBounds(0, 0, kWorld * scale, kWorld * scale);
    image.SetScaleMode(smScale);
    image.SetScale(float(scale));
    image.SetBitmap(&scene.world);
    for (const auto& spec : scene.layers) {
        auto* layer = image.Layers()->Add<TBitmapLayer>();
        layer->SetBitmap(&spec->bitmap);
        layer->SetLocation(FloatRect(Scene::LayerRect(*spec, scale)));
    }
    // The widget's paint: the control at its origin, the screen showing the view.
    const platform::Rect view = Scene::View(scale);
    QImage screen(kViewW, kViewH, QImage::Format_RGB32);
    screen.fill(0);
    for (auto _ : state) {
        image.Invalidate();
        QPainter painter(&screen);
        painter.translate(-view.Left, -view.Top);
        platform::qt::QPainterCanvas canvas(painter);
        image.HostPaint(canvas);
        painter.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
    image.AttachHost(nullptr);
}

void BM_QPainterRepaint(benchmark::State& state)
{
    CheckScene(state);
    const int32_t scale = int32_t(state.range(0));
    Scene& scene = TheScene();
    const QImage world(reinterpret_cast<const uchar*>(scene.world.Bits()), kWorld, kWorld, kWorld * 4,
                       QImage::Format_RGB32);
    const platform::Rect view = Scene::View(scale);
    QImage target(kViewW, kViewH, QImage::Format_RGB32);
    target.fill(0);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.translate(-view.Left, -view.Top);
        painter.drawImage(QRect(0, 0, kWorld * scale, kWorld * scale), world);
        for (const auto& spec : scene.layers) {
            const TRect r = Scene::LayerRect(*spec, scale);
            painter.drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()), spec->image);
        }
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}

BENCHMARK(BM_Image32Repaint)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QPainterRepaint)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

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
    std::map<std::string, double> medians; // milliseconds
};

} // namespace

int main(int argc, char** argv)
{
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRepaint of a %dx%d view, %d layers (medians):\n", kViewW, kViewH, kLayers);
    for (int scale : {1, 2, 4, 8}) {
        char ourName[64], theirName[64];
        std::snprintf(ourName, sizeof ourName, "BM_Image32Repaint/%d/real_time", scale);
        std::snprintf(theirName, sizeof theirName, "BM_QPainterRepaint/%d/real_time", scale);
        const auto ours = reporter.medians.find(ourName);
        const auto theirs = reporter.medians.find(theirName);
        if (ours == reporter.medians.end() || theirs == reporter.medians.end())
            continue;
        std::printf("  scale %d: TImage32 %.2f ms (goal < 8 ms), QPainter %.2f ms, ratio %.2f (goal <= 1.2)\n", scale,
                    ours->second, theirs->second, ours->second / theirs->second);
    }
    benchmark::Shutdown();
    return 0;
}
