#include "platform/KeyValueStoreFile.h"

#include "platform/FileSystem.h"

#include <span>
#include <system_error>

namespace platform {

KeyValueStoreFile::KeyValueStoreFile(std::filesystem::path path, Report report)
    : path_(std::move(path)), report_(std::move(report)), saveTimer_([this] { Save(); })
{
    Load();
    store_.OnChange = [this] { Changed(); };
    saveTimer_.SetInterval(1);
}

KeyValueStoreFile::~KeyValueStoreFile()
{
    if (savePending_)
        Save();
}

void KeyValueStoreFile::Changed()
{
    savePending_ = true;
    if (CurrentTimerService() == nullptr)
        Save();
    else
        saveTimer_.SetEnabled(true);
}

void KeyValueStoreFile::Load()
{
    std::error_code ec;
    if (!std::filesystem::exists(path_, ec) && !ec)
        return;
    std::vector<uint8_t> bytes;
    std::string error;
    if (ReadFileBytes(path_, bytes, error, kMaxFileBytes) &&
        KeyValueStore::FromText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), store_,
                                error))
        return;
    std::filesystem::path aside = path_;
    aside += ".bad";
    std::filesystem::rename(path_, aside, ec);
    std::string message = "The settings store \"" + path_.string() + "\" could not be read: " + error + ". ";
    message += ec ? "It will be overwritten with the values saved from now on."
                  : "It was set aside as \"" + aside.string() + "\" and an empty store is used in its place.";
    if (report_)
        report_(message);
}

void KeyValueStoreFile::Save()
{
    saveTimer_.SetEnabled(false);
    savePending_ = false;
    const std::string text = store_.ToText();
    std::string error;
    std::error_code ec;
    if (!path_.parent_path().empty())
        std::filesystem::create_directories(path_.parent_path(), ec);
    const bool saved =
        !ec && WriteFileAtomically(path_, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), error);
    if (ec)
        error = "cannot create the folder \"" + path_.parent_path().string() + "\": " + ec.message();
    if (!saved && !saveFailing_ && report_)
        report_("The settings store \"" + path_.string() + "\" could not be saved (" + error +
                "); the values changed in this session will be lost when the program ends. Check that the folder "
                "exists and can be written.");
    saveFailing_ = !saved;
}

} // namespace platform
