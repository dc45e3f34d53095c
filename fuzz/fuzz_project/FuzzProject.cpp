// Feeds arbitrary bytes to the project file loader. A refusal must say why and
// leave the open project exactly as it was; a project that loads must store a
// stream that loads again into the same stream, and must pass through the
// validator.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/MapProject.h"
#include "SetUpProject.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMapProject project;
    SetUpProject(project);
    const std::vector<uint8_t> before = Stored(project);
    std::string error;
    if (!project.LoadFromBytes({data, size}, "fuzz.fw", error)) {
        if (error.empty() || Stored(project) != before || !project.GetFileName().empty())
            std::abort();
        return 0;
    }

    project.CheckMission();
    const std::vector<uint8_t> saved = Stored(project);
    CMapProject again;
    SetUpProject(again);
    if (!again.LoadFromBytes(saved, "again.fw", error) || Stored(again) != saved)
        std::abort();
    return 0;
}
