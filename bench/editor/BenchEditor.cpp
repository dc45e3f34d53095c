// The waits a designer feels on a large world, driven through the main window as
// the user drives it (offscreen platform, scripted file dialogs, the real progress
// window): New project from a world picture (loading, import and first drawing),
// Save as, and Open, on generated worlds of 1024² and 4096² pixels (about 100
// provinces of random colours with ragged borders, inland seas and specks). The
// peak memory of a New project is measured in a fresh process of this program,
// as the resident high-water mark before and after it.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include <sys/resource.h>

#include "BenchGoals.h"
#include "GeneratedWorld.h"
#include "model/MapProject.h"
#include "platform/FileSystem.h"
#include "platform/TextRasterizer.h"
#include "platform/qt/QtTextRasterizer.h"
#include "support/ScriptedFiles.h"
#include "ui/Main.h"

namespace {

namespace fs = std::filesystem;
constexpr uint32_t kSeed = 20240612;
const fs::path kDataFolder = VALDRUNE_DATA_DIR;
constexpr const char* kPeakFlag = "--new-project-peak=";

// Answers every question No (do not save the old project) and keeps the messages.
class Prompts : public IPrompts {
public:
    void Message(const std::string& text) override { messages.push_back(text); }
    Answer Ask(const std::string&, const std::string&) override { return kNo; }
    bool Confirm(const std::string&, const std::string&) override { return true; }
    std::deque<std::string> messages;
};

// The main window with the editor's own dialogs and progress window.
struct Editor {
    platform::TemporaryFolder folder;
    Prompts prompts;
    ScriptedFiles files;
    std::unique_ptr<TMainForm> window;

    Editor()
    {
        TMainFormSetup setup;
        setup.dataFolder = kDataFolder;
        setup.settingsFolder = folder.Path();
        setup.prompts = &prompts;
        setup.files = &files;
        window = std::make_unique<TMainForm>(setup);
        window->resize(1280, 800);
        window->show();
        QApplication::processEvents();
    }
    ~Editor()
    {
        TheMapProject().Clear();
        TheMapProject().SetModified(false);
    }

    bool NewProject(const fs::path& picture)
    {
        files.opens.push_back(picture);
        window->ActNewProjectExecute();
        return TheMapProject().GetProvinces().GetSize() > 0 && TheMapProject().GetWidth() > 0;
    }
    bool SaveAs(const fs::path& file)
    {
        files.saves.push_back(file);
        return window->ActSaveAsProjectExecute();
    }
    bool Open(const fs::path& file)
    {
        files.opens.push_back(file);
        window->ActLoadProjectExecute();
        return TheMapProject().GetProvinces().GetSize() > 0 && prompts.messages.empty();
    }
};

// One window for every benchmark, closed before the application ends.
std::unique_ptr<Editor>& EditorSlot()
{
    static std::unique_ptr<Editor> editor;
    return editor;
}

Editor& TheEditor()
{
    if (!EditorSlot())
        EditorSlot() = std::make_unique<Editor>();
    return *EditorSlot();
}

// The generated world of `side` pixels as a BMP file, written once.
const fs::path& WorldPicture(int side)
{
    static platform::TemporaryFolder folder;
    static std::map<int, fs::path> files;
    fs::path& file = files[side];
    if (file.empty()) {
        TBitmap32 image;
        GenerateWorld(side, kSeed, image);
        file = folder.Path() / ("world" + std::to_string(side) + ".bmp");
        image.SaveToFile(file);
    }
    return file;
}

// The project of the world of `side` pixels, saved once by the editor.
const fs::path& ProjectFile(int side)
{
    static std::map<int, fs::path> files;
    fs::path& file = files[side];
    if (file.empty()) {
        Editor& editor = TheEditor();
        file = editor.folder.Path() / ("world" + std::to_string(side) + ".fw");
        if (!editor.NewProject(WorldPicture(side)) || !editor.SaveAs(file)) {
            std::fprintf(stderr, "the %d² project could not be made\n", side);
            std::exit(1);
        }
    }
    return file;
}

void BM_NewProject(benchmark::State& state)
{
    const fs::path& picture = WorldPicture(int(state.range(0)));
    Editor& editor = TheEditor();
    for (auto _ : state)
        if (!editor.NewProject(picture)) {
            state.SkipWithError("New project made no province");
            break;
        }
    state.counters["pieces"] = TheMapProject().GetPieces().GetCount();
    state.counters["provinces"] = TheMapProject().GetProvinces().GetSize();
}

void BM_SaveAs(benchmark::State& state)
{
    const int side = int(state.range(0));
    Editor& editor = TheEditor();
    if (!editor.NewProject(WorldPicture(side))) {
        state.SkipWithError("New project made no province");
        return;
    }
    const fs::path file = editor.folder.Path() / "saved.fw";
    for (auto _ : state)
        if (!editor.SaveAs(file)) {
            state.SkipWithError("Save as failed");
            break;
        }
    state.counters["file_MB"] = double(fs::file_size(file)) / (1 << 20);
}

void BM_Open(benchmark::State& state)
{
    const fs::path& file = ProjectFile(int(state.range(0)));
    Editor& editor = TheEditor();
    for (auto _ : state)
        if (!editor.Open(file)) {
            state.SkipWithError(editor.prompts.messages.empty() ? "Open made no province"
                                                                : editor.prompts.messages.front().c_str());
            break;
        }
}

// Peak resident memory of a fresh process that opens the main window and makes one
// New project, and its high-water mark before the New project.
void BM_NewProjectPeakMemory(benchmark::State& state)
{
    const fs::path& picture = WorldPicture(int(state.range(0)));
    double before = 0, peak = 0;
    for (auto _ : state) {
        const std::string command = "/proc/" + std::to_string(getpid()) + "/exe " + kPeakFlag + picture.string();
        std::FILE* child = popen(command.c_str(), "r");
        if (!child || std::fscanf(child, "%lf %lf", &before, &peak) != 2 || pclose(child) != 0) {
            state.SkipWithError("the measuring process failed");
            break;
        }
    }
    state.counters["before_MB"] = before / 1024;
    state.counters["peak_MB"] = peak / 1024;
}

long MaxResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The child side of BM_NewProjectPeakMemory: prints the high-water marks in KiB.
int MeasureNewProject(const fs::path& picture)
{
    Editor editor;
    const long before = MaxResidentKiB();
    if (!editor.NewProject(picture))
        return 1;
    std::printf("%ld %ld\n", before, MaxResidentKiB());
    return 0;
}

void Register()
{
    using Function = void (*)(benchmark::State&);
    for (auto [name, fn] : {std::pair<const char*, Function>{"BM_NewProject", BM_NewProject},
                            {"BM_SaveAs", BM_SaveAs},
                            {"BM_Open", BM_Open}})
        benchmark::RegisterBenchmark(name, fn)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("BM_NewProjectPeakMemory", BM_NewProjectPeakMemory)
        ->Arg(4096)
        ->Iterations(1)
        ->Repetitions(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    platform::qt::QtTextRasterizer rasterizer;
    platform::SetTextRasterizer(&rasterizer);
    int result = 0;
    if (argc == 2 && std::strncmp(argv[1], kPeakFlag, std::strlen(kPeakFlag)) == 0) {
        result = MeasureNewProject(argv[1] + std::strlen(kPeakFlag));
    } else {
        Register();
        result = RunWithGoals(argc, argv, {});
        EditorSlot().reset();
    }
    platform::SetTextRasterizer(nullptr);
    return result;
}
