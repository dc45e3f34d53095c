// Feeds arbitrary bytes to the settings reader as the text of "ini.xml". Every
// value read must lie in its field's range, a document read must read again
// once saved, and writing what was read and reading it again must give the
// same settings and layout.
#include "model/Settings.h"
#include "platform/XmlDocument.h"
#include "ui/SettingsFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition, int line = __builtin_LINE())
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_settings: check on line %d failed\n", line);
        std::abort();
    }
}

bool IsFlag(uint32_t value)
{
    return value <= 1;
}

bool SameSettings(const CSettings& a, const CSettings& b)
{
    return a.ShNames == b.ShNames && a.ShIcons == b.ShIcons && a.ShCastles == b.ShCastles &&
           a.ShArmies == b.ShArmies && a.TransCastles == b.TransCastles && a.TransArmies == b.TransArmies &&
           a.OwnerColors == b.OwnerColors && a.ShPaths == b.ShPaths && a.AutoShowErr == b.AutoShowErr &&
           a.AutoResize == b.AutoResize && a.TransValue == b.TransValue && a.font == b.font &&
           a.MinPopulation == b.MinPopulation && a.MaxPopulation == b.MaxPopulation &&
           a.MinCapPopulation == b.MinCapPopulation && a.MaxCapPopulation == b.MaxCapPopulation &&
           a.ConvertCapTo == b.ConvertCapTo;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::XmlDocument document("ini.xml");
    std::string error;
    if (!document.LoadFromText(std::string_view(reinterpret_cast<const char*>(data), size), error, "ini.xml")) {
        Check(!error.empty());
        return 0;
    }
    platform::XmlDocument saved; // what the program writes it reads again
    Check(saved.LoadFromText(document.SaveToText(), error));
    const platform::XmlNode root = document.DocumentElement();
    if (!root)
        return 0;
    const platform::XmlNode editor = root.FindChildNode("Editor");
    CSettings settings;
    CEditorLayout layout;
    LoadSettings(editor, settings, layout);
    for (uint32_t flag : {settings.ShNames, settings.ShIcons, settings.ShCastles, settings.ShArmies,
                          settings.TransCastles, settings.TransArmies, settings.OwnerColors, settings.ShPaths,
                          settings.AutoShowErr, settings.AutoResize})
        Check(IsFlag(flag));
    Check(settings.font.PointSize >= 1 && settings.font.PointSize <= 144);
    Check(settings.font.Pitch <= platform::FontSpec::kFixedPitch);
    Check(settings.font.Color <= 0xFFFFFF);
    Check(int32_t(layout.mainForm.State) >= 0 && int32_t(layout.mainForm.State) <= 2);
    const CWindowBounds* bounds[] = {&layout.missForm, &layout.eventsForm, &layout.errorsForm, &layout.mainForm};
    for (const CWindowBounds* window : bounds)
        Check(window->Width >= 0 && window->Height >= 0);

    // Writing into the same element (over whatever else it holds) and reading back is stable.
    if (!editor)
        return 0;
    SaveSettings(editor, settings, layout);
    CSettings again;
    CEditorLayout againLayout;
    LoadSettings(editor, again, againLayout);
    againLayout.eventsForm.Splitter = layout.eventsForm.Splitter; // written, never read
    Check(SameSettings(settings, again));
    Check(againLayout == layout);
    return 0;
}
