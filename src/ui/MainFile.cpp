// The file actions of the main window: new project from a world picture, open,
// save, save as, reload of the world picture and the export for the handheld.
// An action that must save the old project first goes on only when that save
// succeeded.
#include "ui/Main.h"

#include <QAction>
#include <QTabWidget>

#include <algorithm>

#include "model/MapProject.h"
#include "model/Settings.h"
#include "platform/AsciiText.h"
#include "ui/EditorApplication.h"

namespace {

constexpr const char* kPictureFilter =
    "Bitmaps (*.bmp)|*.bmp|All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf";
constexpr const char* kProjectFilter = "Fenwork file (*.fw)|*.fw";
constexpr const char* kBitmapFilter = "Bitmap file (*.bmp)|*.bmp";
constexpr const char* kPdaFilter = "PDA file (*.pdb)|*.pdb";
constexpr float kStartScale = 2.0f;

// The fixed text, then what the model said went wrong.
std::string WithReason(const std::string& text, const std::string& reason)
{
    return reason.empty() ? text : text + "\n\n" + reason;
}

} // namespace

std::filesystem::path ProjectFileNameFor(const std::filesystem::path& chosen)
{
    static const std::string kExtension = ".fw";
    std::string name = chosen.string();
    if (name.size() > kExtension.size() && name.ends_with(kExtension))
        name.resize(name.size() - kExtension.size());
    return name + kExtension;
}

std::filesystem::path MissionOutputPathFor(const std::filesystem::path& chosen)
{
    static const std::string kExtension = ".pdb";
    const std::string name = chosen.filename().string();
    const size_t kept = name.size() - std::min(name.size(), kExtension.size());
    if (kept == 0 || platform::LowerAscii(name.substr(kept)) != kExtension)
        return chosen;
    return chosen.parent_path() / name.substr(0, kept);
}

void TMainForm::ActNewProjectExecute()
{
    if (!SaveChangesFirst())
        return;
    if (const auto picture = files_->ChooseOpenFile(kPictureFilter)) {
        ShowNoProject(); // the old project goes, and its status with it
        ImgVWorld->Bitmap()->Clear(TheSettings().colors[CSettings::kWorldBackground]);
        project_.Clear();
        ProcessPaintEvents();
        bool created = false;
        std::string problem;
        try {
            // A picture that cannot be imported has been reported by the import itself.
            if (project_.ImportWorldImage(*picture, false) == 1) {
                ShowWorldSize();
                project_.InitNew();
                ImgVWorld->SetScale(kStartScale);
                UpdateWorldViewSize();
                SetZoom(kStartScale);
                ProcessPaintEvents();
                for (uint32_t player : {0u, 1u})
                    if (player < project_.GetPlayers().GetCount())
                        project_.GetPlayers().GetAt(player).SetActive(1);
                RebuildPlayersList();
                RefillProjectWindows();
                created = true;
                EnableProjectUI(true);
                if (TheSettings().AutoShowErr)
                    dialogs_->ShowWarnings();
                ShowTab(kProvincesTab);
            }
        } catch (...) {
            // The catalogue's or a picture's own message says what is missing or wrong.
            problem = CurrentExceptionText();
        }
        if (!created) {
            // Nothing of the half-built project may stay on the screen or be saved.
            project_.Clear();
            ShowNoProject();
        }
        if (!problem.empty())
            Error(problem);
    }
    project_.ProgressEnd();
}

void TMainForm::ActLoadProjectExecute()
{
    if (!SaveChangesFirst())
        return;
    const auto fileName = files_->ChooseOpenFile(kProjectFilter);
    if (!fileName)
        return;
    std::string error;
    bool loaded = false;
    try {
        project_.Clear();
        project_.InitNew();
        loaded = project_.LoadAndShow(*fileName, error) == 1;
    } catch (...) {
        error = CurrentExceptionText();
    }
    if (!loaded) {
        // The old project is gone and the new one did not come: nothing is open,
        // not even the set-up the file was to be read into.
        project_.Clear();
        ShowNoProject();
        Error(WithReason("Error while load project", error));
        project_.ProgressEnd();
        return;
    }
    ShowWorldSize();
    ImgVWorld->SetScale(kStartScale);
    SetZoom(kStartScale);
    UpdateWorldViewSize();
    RebuildPlayersList();
    RefillProjectWindows();
    project_.GetSelection().Clear();
    EnableProjectUI(true);
    ShowTab(kProvincesTab);
    project_.ProgressEnd();
}

bool TMainForm::ActSaveProjectExecute()
{
    if (project_.GetFileName().empty())
        return ActSaveAsProjectExecute();
    std::string error;
    if (!project_.Save(project_.GetFileName(), error)) {
        Error(WithReason("Error processed during save", error));
        return false;
    }
    return true;
}

bool TMainForm::ActSaveAsProjectExecute()
{
    const auto chosen = files_->ChooseSaveFile(kProjectFilter);
    if (!chosen)
        return false;
    const std::filesystem::path fileName = ProjectFileNameFor(*chosen);
    std::string error;
    if (!project_.Save(fileName, error)) {
        Error(WithReason("Error processed during save", error));
        return false;
    }
    project_.SetFileName(fileName);
    return true;
}

void TMainForm::ActReloadMapExecute()
{
    if (!prompts_->Confirm("Are you sure?", "Warning") || !SaveChangesFirst())
        return;
    const auto picture = files_->ChooseOpenFile(kBitmapFilter);
    if (!picture)
        return;
    StopBlink();
    project_.GetSelection().Clear();
    // A picture that cannot be imported leaves the world as it was (the user was told why).
    if (project_.ImportWorldImage(*picture, true) == 1)
        project_.RelinkProvincesToMaps();
    UpdateWorldViewSize();
    PgCMissionPropertiesChange();
    if (TheSettings().AutoShowErr)
        dialogs_->ShowWarnings();
    ShowWorldSize();
}

void TMainForm::ActSavePDAExecute()
{
    if (const std::string problem = project_.CheckMission(); !problem.empty()) {
        prompts_->ErrorMessage("You can't save mission because " + problem, "Error");
        return;
    }
    const auto fileName = files_->ChooseSaveFile(kPdaFilter);
    if (!fileName)
        return;
    std::string error;
    if (!project_.ExportMission(MissionOutputPathFor(*fileName), error))
        Error(error);
    project_.ProgressEnd();
}

void TMainForm::ActRecalcIconPlacesExecute()
{
    project_.CalcCastlePlaces();
    const CSelect& selection = project_.GetSelection();
    for (int i = 0; i < selection.Count(); ++i) {
        CProvince& province = *selection.GetAt(i);
        const CProvinceMap* piece = province.linked ? project_.GetPieces().GetAt(province.pieceIndex) : nullptr;
        if (!piece)
            continue;
        province.SetCastleX(piece->castleX);
        province.SetCastleY(piece->castleY);
        province.SetArmyX(piece->armyX);
        province.SetArmyY(piece->armyY);
    }
    project_.PlaceAllArmyLayers();
    project_.PlaceAllCastleLayers();
    project_.ProgressEnd();
    project_.RedrawLinksLayer();
}
