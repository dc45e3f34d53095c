#include "platform/TextRasterizer.h"

#include "platform/Exception.h"

namespace platform {
namespace {

TextRasterizer* installedRasterizer = nullptr;

} // namespace

void SetTextRasterizer(TextRasterizer* rasterizer)
{
    installedRasterizer = rasterizer;
}

TextRasterizer& CurrentTextRasterizer()
{
    if (installedRasterizer == nullptr)
        throw Exception("No text rasteriser is installed: the program must call platform::SetTextRasterizer "
                        "at start-up before text is measured or drawn");
    return *installedRasterizer;
}

} // namespace platform
