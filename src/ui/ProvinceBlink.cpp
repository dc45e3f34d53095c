// The blinking of one province's piece and the income generation of the
// provinces tab.
#include "ui/Main.h"

#include <QTimer>

#include <ctime>
#include <random>

#include "model/MapProject.h"
#include "model/PieceShading.h"
#include "ui/Income.h"

// Blink phases, one per timer tick: 1 darkened, 2 normal, 3 lightened, 4 normal.
void TMainForm::StartBlink(CProvince* province)
{
    blinkProvince_ = province;
    blinkPhase_ = 1;
    Timer->start();
}

void TMainForm::StopBlink()
{
    Timer->stop();
    if (blinkProvince_ && blinkProvince_->linked)
        project_.UpdateProvinceMapPicture(blinkProvince_->pieceIndex);
    blinkProvince_ = nullptr;
    blinkPhase_ = 0;
}

void TMainForm::TimerTimer()
{
    if (!blinkProvince_ || !blinkProvince_->linked)
        return;
    const int index = blinkProvince_->pieceIndex;
    CProvinceMap* piece = project_.GetPieces().GetAt(index);
    if (!piece)
        return;
    switch (blinkPhase_) {
    case 1:
        DarkenPixels(piece->mask);
        project_.DrawPiece(index);
        break;
    case 3:
        LightenPixels(piece->mask);
        project_.DrawPiece(index);
        break;
    default:
        project_.UpdateProvinceMapPicture(index);
        break;
    }
    blinkPhase_ = blinkPhase_ < 4 ? uint8_t(blinkPhase_ + 1) : uint8_t(1);
}

void TMainForm::ActGenerateIncomeExecute()
{
    if (!HasProject())
        return;
    std::mt19937 engine(uint32_t(std::time(nullptr)));
    const auto rand = [&engine] { return int(engine() >> 1); };
    const CSelect& selection = project_.GetSelection();
    for (int i = 0; i < project_.GetProvinces().GetSize(); ++i)
        if (CProvince* province = project_.GetProvinces().GetAt(i); selection.Contains(province))
            RollIncome(*province, rand);
    project_.RefreshAllProvinces();
    project_.GetSelection().Refresh();
    UpdateInfo(kNoRow);
}
