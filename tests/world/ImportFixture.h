#pragma once
// The world view fixture with a warnings list, recording prompts and progress,
// and world pictures written to a temporary folder for the import to load.
#include <string>
#include <vector>

#include "graphics/Layers32.h"
#include "model/ErrorList.h"
#include "model/RecordingViews.h"
#include "platform/FileSystem.h"
#include "world/WorldArt.h"
#include "world/WorldFixture.h"

class RecordingPrompts : public IPrompts {
public:
    void Message(const std::string& text) override { messages.push_back(text); }
    bool Confirm(const std::string& text, const std::string& caption) override
    {
        questions.push_back(caption + ": " + text);
        return confirm;
    }
    Answer Ask(const std::string& text, const std::string& caption) override
    {
        questions.push_back(caption + ": " + text);
        return answer;
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool confirm = true;
    Answer answer = kCancel;
};

// The project's lists and inspectors: each call one line of `log`, a province
// row named by its marker x.
class RecordingListViews : public IProjectViews {
public:
    void StopBlinking() override { log.push_back("stop blinking"); }
    void DeselectInspectors() override { log.push_back("deselect inspectors"); }
    void ClearProjectLists() override { log.push_back("clear lists"); }
    void ClearInspectors() override { log.push_back("clear inspectors"); }
    void SetProvinceRowOwner(CProvince& province, const std::string& owner) override
    {
        log.push_back(std::to_string(province.markerX) + " " + owner);
    }
    int SelectedPlayer() const override { return selected; }

    CallLog log;
    int selected = -1;
};

class ImportTest : public WorldViewTest {
protected:
    ImportTest()
    {
        project.SetWarnings(&warnings);
        project.SetPrompts(&prompts);
        project.SetProgressDisplay(&progress);
    }
    ~ImportTest() override { project.SetPrompts(nullptr); }

    // Writes `picture` as a BMP file of the temporary folder and returns its path.
    std::filesystem::path Save(const TBitmap32& picture, const std::string& name = "world.bmp")
    {
        const std::filesystem::path path = folder.Path() / name;
        picture.SaveToFile(path);
        return path;
    }
    int Import(const TBitmap32& picture, bool keepProvinces = false)
    {
        return project.ImportWorldImage(Save(picture), keepProvinces);
    }

    int TaggedLayers() const
    {
        int count = 0;
        for (int32_t i = 0; i < image.Layers()->Count(); ++i)
            count += GetLayerTag(image.Layers()->Items(i)) != nullptr;
        return count;
    }
    CProvinceMap& Piece(int i) { return *project.GetPieces().GetAt(i); }
    int PieceCount() const { return project.GetPieces().GetCount(); }
    CProvince& Province(int i) { return *project.GetProvinces().GetAt(i); }
    std::vector<std::string> WarningTexts() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < warnings.GetCount(); ++i)
            texts.push_back(warnings.GetAt(i)->GetText());
        return texts;
    }

    platform::TemporaryFolder folder;
    CErrorList warnings;
    RecordingPrompts prompts;
    RecordingProgress progress;
};

using Texts = std::vector<std::string>;
using Ints = std::vector<int>;
