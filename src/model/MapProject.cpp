#include "model/MapProject.h"

#include "model/ErrorList.h"
#include "platform/XmlDocument.h"

CMapProject::CMapProject() = default;

CMapProject::~CMapProject()
{
    ForgetLinksLayer();
    // Provinces go first: a dying province clears the capital of its player.
    provinces_.DeleteAll();
}

int CMapProject::ReadCreatorId()
{
    if (!catalogue_)
        return 0;
    const std::string id = catalogue_->DocumentElement().GetAttribute("dwID");
    if (id.size() < 4)
        return 0;
    creatorId = 0;
    for (int i = 0; i < 4; ++i)
        creatorId = creatorId << 8 | uint8_t(id[i]);
    return 1;
}

CProgressScope::CProgressScope(CMapProject& project, const std::string& caption, int maximum) : project_(project)
{
    ++project_.progressScopes_;
    project_.ProgressStart(caption, maximum);
}

CProgressScope::~CProgressScope()
{
    if (--project_.progressScopes_ == 0)
        project_.ProgressEnd();
}

CProvince* CMapProject::FindProvinceByPiece(int pieceIndex) const
{
    if (pieceIndex < 0)
        return nullptr;
    for (int i = 0; i < provinces_.GetSize(); ++i)
        if (provinces_.GetAt(i)->pieceIndex == pieceIndex)
            return provinces_.GetAt(i);
    return nullptr;
}

CMapProject& TheMapProject()
{
    // The warnings list is created first so that it outlives the project at exit.
    static CMapProject& project = []() -> CMapProject& {
        CErrorList& warnings = TheErrorList();
        static CMapProject instance;
        instance.SetWarnings(&warnings);
        return instance;
    }();
    return project;
}
