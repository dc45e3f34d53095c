#pragma once
// The scroll box around the world view: scroll bars over a content extent and a
// viewport that the content widget sits in. The box does not move the content
// itself; its owner places it (centred when smaller than the viewport, shifted
// by the scroll position otherwise) whenever OnScroll or OnResize fires.
#include <QAbstractScrollArea>

#include <functional>

class TWorldScrollBox : public QAbstractScrollArea {
public:
    explicit TWorldScrollBox(QWidget* parent = nullptr);

    // The viewport (resizes of it arrive as the box's own): the part of the box that shows content.
    int ClientWidth() const;
    int ClientHeight() const;
    // The full size of the content; the scroll ranges follow it.
    void SetContentSize(int width, int height);
    int HorzRange() const { return contentWidth_; }
    int VertRange() const { return contentHeight_; }
    int HorzPosition() const;
    int VertPosition() const;
    // Limited to 0 .. range - client size.
    void SetHorzPosition(int position);
    void SetVertPosition(int position);
    // The distance one click on an arrow of either bar scrolls.
    void SetIncrement(int increment);
    int Increment() const;

    std::function<void()> OnScroll;
    std::function<void()> OnResize;

protected:
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateRanges();

    int contentWidth_ = 0;
    int contentHeight_ = 0;
};
