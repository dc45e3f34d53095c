#include "platform/qt/QtWindowSystem.h"

#include "platform/qt/ControlWidget.h"
#include "platform/qt/PopupWindow.h"
#include "platform/qt/QtFont.h"
#include "platform/qt/QtGeometry.h"

#include "platform/qt/QPainterCanvas.h"

#include <QApplication>
#include <QClipboard>
#include <QCollator>
#include <QCursor>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QMimeDatabase>
#include <QPainter>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <cstring>
#include <limits>

namespace platform::qt {
namespace {

class QtPopupWindow final : public PopupWindow {
public:
    explicit QtPopupWindow(Control& control) : widget_(control)
    {
        if (control.TransparentToMouse())
            MakeMouseTransparentPopup(widget_);
        else
            MakeDropDownPopup(widget_);
        if (control.Visible())
            widget_.show();
    }

private:
    ControlWidget widget_;
};

// A QPainter kept open on a QImage that wraps the target's pixels as Format_RGB32 (the
// same 32-bit layout), so every drawing lands in place. Qt writes alpha 255 where it
// draws, except where it copies RGB32 pixels, which it takes over with their alpha bytes:
// the copies set those bytes afterwards.
class PixelCanvas final : public Canvas {
public:
    explicit PixelCanvas(const PixelView& target)
        : target_(target),
          image_(reinterpret_cast<uchar*>(target.Pixels), target.Width, target.Height,
                 qsizetype(target.RowPixels) * 4, QImage::Format_RGB32),
          painter_(&image_), canvas_(painter_)
    {
        RemoveClip();
    }

    void BlitOpaque(int32_t x, int32_t y, const uint32_t* pixels, int32_t width, int32_t height,
                    int32_t rowPixels) override
    {
        canvas_.BlitOpaque(x, y, pixels, width, height, rowPixels);
        MakeOpaque({x, y, x + width, y + height});
    }
    void StretchBlitOpaque(const Rect& dest, const uint32_t* pixels, int32_t rowPixels, const Rect& source) override
    {
        canvas_.StretchBlitOpaque(dest, pixels, rowPixels, source);
        MakeOpaque(dest);
    }
    void FillRect(const Rect& rect, CanvasColor color) override { canvas_.FillRect(rect, color); }
    void FrameRect(const Rect& rect, CanvasColor color) override { canvas_.FrameRect(rect, color); }
    void DrawFocusRect(const Rect& rect) override { canvas_.DrawFocusRect(rect); }
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, CanvasColor color) override
    {
        canvas_.Line(x1, y1, x2, y2, color);
    }
    void TextOut(int32_t x, int32_t y, std::string_view text, const FontSpec& font) override
    {
        canvas_.TextOut(x, y, text, font);
    }
    Size TextExtent(std::string_view text, const FontSpec& font) override { return canvas_.TextExtent(text, font); }
    void TextOutRotated(int32_t x, int32_t y, std::string_view text, const FontSpec& font, double angle) override
    {
        canvas_.TextOutRotated(x, y, text, font, angle);
    }
    void SetClipRect(const Rect& rect) override
    {
        canvas_.SetClipRect(rect);
        clip_ = rect.Intersect({0, 0, target_.Width, target_.Height});
    }
    void RemoveClip() override
    {
        canvas_.RemoveClip();
        clip_ = {0, 0, target_.Width, target_.Height};
    }

private:
    void MakeOpaque(const Rect& rect)
    {
        const Rect area = rect.Intersect(clip_);
        for (int32_t y = area.Top; y < area.Bottom; ++y)
            for (uint32_t* p = target_.Row(y) + area.Left; p < target_.Row(y) + area.Right; ++p)
                *p |= 0xFF000000u;
    }

    PixelView target_;
    Rect clip_;
    QImage image_;
    QPainter painter_;
    QPainterCanvas canvas_;
};

DecodedImage ToDecodedImage(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    DecodedImage decoded;
    decoded.width = image.width();
    decoded.height = image.height();
    decoded.pixels.resize(size_t(decoded.width) * size_t(decoded.height));
    for (int y = 0; y < decoded.height; ++y)
        std::memcpy(decoded.pixels.data() + size_t(y) * size_t(decoded.width), image.constScanLine(y),
                    size_t(decoded.width) * 4);
    return decoded;
}

} // namespace

struct QtWindowSystem::Collation {
    QLocale locale;
    QCollator collator{locale};
};

QtWindowSystem::QtWindowSystem() = default;

QtWindowSystem::~QtWindowSystem() = default;

Rect QtWindowSystem::MonitorRect(Point point)
{
    const QPoint at(point.X, point.Y);
    const QScreen* shown = QGuiApplication::screenAt(at);
    // Off every monitor: the nearest one.
    int64_t nearest = std::numeric_limits<int64_t>::max();
    for (const QScreen* screen : shown ? QList<QScreen*>() : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        const int64_t dx = std::max({g.left() - at.x(), 0, at.x() - g.right()});
        const int64_t dy = std::max({g.top() - at.y(), 0, at.y() - g.bottom()});
        if (dx * dx + dy * dy < nearest) {
            nearest = dx * dx + dy * dy;
            shown = screen;
        }
    }
    if (shown == nullptr)
        return {};
    return RectFromQt(shown->geometry());
}

int QtWindowSystem::CompareText(const std::string& a, const std::string& b)
{
    if (!collation_ || collation_->locale != QLocale())
        collation_ = std::make_unique<Collation>();
    const int collated = collation_->collator.compare(Utf8ToQString(a), Utf8ToQString(b));
    return collated != 0 ? collated : a.compare(b);
}

std::string QtWindowSystem::ClipboardText()
{
    return QGuiApplication::clipboard()->text().toStdString();
}

void QtWindowSystem::SetClipboardText(std::string_view text)
{
    QGuiApplication::clipboard()->setText(Utf8ToQString(text));
}

void QtWindowSystem::Beep()
{
    QApplication::beep();
}

bool QtWindowSystem::LeftButtonDown()
{
    return (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
}

bool QtWindowSystem::CursorPos(Point& screen)
{
    const QPoint at = QCursor::pos();
    screen = {at.x(), at.y()};
    return true;
}

std::unique_ptr<PopupWindow> QtWindowSystem::CreatePopupWindow(Control& control)
{
    return std::make_unique<QtPopupWindow>(control);
}

bool QtWindowSystem::ClipboardPicture(DecodedImage& picture)
{
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull())
        return false;
    picture = ToDecodedImage(image);
    return true;
}

void QtWindowSystem::SetClipboardPicture(const DecodedImage& picture)
{
    // Format_ARGB32 is 0xAARRGGBB per pixel, the picture's own layout; the copy detaches
    // the image from the picture's memory.
    const QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width, picture.height,
                       qsizetype(picture.width) * 4, QImage::Format_ARGB32);
    QGuiApplication::clipboard()->setImage(image.copy());
}

std::unique_ptr<Canvas> QtWindowSystem::CreatePixelCanvas(const PixelView& target)
{
    if (target.IsEmpty())
        return nullptr;
    return std::make_unique<PixelCanvas>(target);
}

bool QtWindowSystem::ReadResource(std::string_view name, std::vector<uint8_t>& bytes, std::string& error)
{
    QFile file(":/" + Utf8ToQString(name));
    if (!file.open(QIODevice::ReadOnly)) {
        error = "the program has no resource \"" + std::string(name) + "\"";
        return false;
    }
    const QByteArray data = file.readAll();
    bytes.assign(data.begin(), data.end());
    return true;
}

int32_t QtWindowSystem::FileIconIndex(const std::filesystem::path& path, bool small)
{
    const QFileIconProvider provider;
    const int side = small ? 16 : 32;
    const QFileInfo info(QString::fromStdString(path.string()));
    // Without an icon theme the provider may find nothing for a type; the style's file
    // and folder icons stand in then.
    QIcon icon = provider.icon(info);
    if (icon.isNull() || icon.pixmap(side, side).isNull())
        icon = QApplication::style()->standardIcon(info.isDir() ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
    const QImage image = icon.pixmap(side, side).toImage().scaled(side, side);
    if (image.isNull())
        return -1;
    IconList& list = icons_[small ? 1 : 0];
    DecodedImage decoded = ToDecodedImage(image);
    const auto [found, added] = list.indexByPixels.try_emplace(decoded.pixels, int32_t(list.images.size()));
    if (added)
        list.images.push_back(std::move(decoded));
    return found->second;
}

std::vector<DecodedImage> QtWindowSystem::FileIcons(bool small)
{
    return icons_[small ? 1 : 0].images;
}

std::string QtWindowSystem::FileTypeName(const std::filesystem::path& path)
{
    const QMimeDatabase database;
    const QFileInfo info(QString::fromStdString(path.string()));
    const QMimeType type = info.exists() ? database.mimeTypeForFile(info)
                                         : database.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    // The default type stands for "unknown" and names nothing.
    if (!type.isValid() || type.isDefault())
        return {};
    return type.comment().toStdString();
}

} // namespace platform::qt
