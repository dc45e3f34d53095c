#include "model/MapProject.h"

#include "platform/XmlDocument.h"

CMapProject::CMapProject() = default;

CMapProject::~CMapProject()
{
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

CMapProject& TheMapProject()
{
    static CMapProject project;
    return project;
}
