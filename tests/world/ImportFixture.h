#pragma once
// The world view fixture with a warnings list, recording prompts and progress,
// and world pictures written to a temporary folder for the import to load.
#include <string>
#include <vector>

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
