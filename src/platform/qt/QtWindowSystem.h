#pragma once
// The window-system services over Qt: the application's clipboard, its beep, the mouse
// buttons it knows to be down, drop-down pop-ups shown by a ControlWidget, QPainter
// canvases over pixel memory, the program's resources (Qt's resource system, under
// ":/"), file-type icons from Qt's file icon provider and type names from its MIME database,
// the screens as monitors, and texts compared by a collator of Qt's default locale.
#include "platform/WindowSystem.h"

#include <map>
#include <memory>

namespace platform::qt {

class QtWindowSystem final : public WindowSystem {
public:
    QtWindowSystem();
    ~QtWindowSystem() override;
    QtWindowSystem(const QtWindowSystem&) = delete;
    QtWindowSystem& operator=(const QtWindowSystem&) = delete;

    std::string ClipboardText() override;
    void SetClipboardText(std::string_view text) override;
    void Beep() override;
    bool LeftButtonDown() override;
    bool CursorPos(Point& screen) override;
    std::unique_ptr<PopupWindow> CreatePopupWindow(Control& control) override;
    bool ClipboardPicture(DecodedImage& picture) override;
    void SetClipboardPicture(const DecodedImage& picture) override;
    Rect MonitorRect(Point point) override;
    int CompareText(const std::string& a, const std::string& b) override;
    std::unique_ptr<Canvas> CreatePixelCanvas(const PixelView& target) override;
    bool ReadResource(std::string_view name, std::vector<uint8_t>& bytes, std::string& error) override;
    int32_t FileIconIndex(const std::filesystem::path& path, bool small) override;
    std::vector<DecodedImage> FileIcons(bool small) override;
    std::string FileTypeName(const std::filesystem::path& path) override;

private:
    // One list per size: the images, and the index of each by its pixels, so that every
    // file type showing the same picture shares one index.
    struct IconList {
        std::vector<DecodedImage> images;
        std::map<std::vector<uint32_t>, int32_t> indexByPixels;
    };
    IconList icons_[2]; // large, small
    // The collator of the locale it was made for, made again when the default locale changes.
    struct Collation;
    std::unique_ptr<Collation> collation_;
};

} // namespace platform::qt
