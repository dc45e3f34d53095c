#include "ui/WorldScrollBox.h"

#include <QScrollBar>

#include <algorithm>

TWorldScrollBox::TWorldScrollBox(QWidget* parent) : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

int TWorldScrollBox::ClientWidth() const
{
    return viewport()->width();
}

int TWorldScrollBox::ClientHeight() const
{
    return viewport()->height();
}

void TWorldScrollBox::SetContentSize(int width, int height)
{
    contentWidth_ = std::max(0, width);
    contentHeight_ = std::max(0, height);
    UpdateRanges();
}

int TWorldScrollBox::HorzPosition() const
{
    return horizontalScrollBar()->value();
}

int TWorldScrollBox::VertPosition() const
{
    return verticalScrollBar()->value();
}

void TWorldScrollBox::SetHorzPosition(int position)
{
    horizontalScrollBar()->setValue(position);
}

void TWorldScrollBox::SetVertPosition(int position)
{
    verticalScrollBar()->setValue(position);
}

void TWorldScrollBox::SetIncrement(int increment)
{
    horizontalScrollBar()->setSingleStep(increment);
    verticalScrollBar()->setSingleStep(increment);
}

int TWorldScrollBox::Increment() const
{
    return horizontalScrollBar()->singleStep();
}

void TWorldScrollBox::scrollContentsBy(int, int)
{
    if (OnScroll)
        OnScroll();
}

void TWorldScrollBox::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateRanges();
    if (OnResize)
        OnResize();
}

void TWorldScrollBox::UpdateRanges()
{
    // A bar that appears narrows the viewport, whose resize comes back here.
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth_ - ClientWidth()));
    horizontalScrollBar()->setPageStep(std::max(1, ClientWidth()));
    verticalScrollBar()->setRange(0, std::max(0, contentHeight_ - ClientHeight()));
    verticalScrollBar()->setPageStep(std::max(1, ClientHeight()));
}
