#include "model/Settings.h"

CSettings& TheSettings()
{
    static CSettings settings;
    return settings;
}
