#pragma once
// An inspector under test: measured by a rasteriser of fixed cells (6 x 13 pixels a
// character, as RecordingCanvas measures), so rows are 20 pixels high, and driven by the
// mouse and key entry points a host would call.
#include "inspector/rmInspector.h"
#include "support/CellRasterizer.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

class InspectorTest : public ::testing::Test {
protected:

    // "A/B" as the inspector's path of row B under row A.
    static std::string PathOf(std::string_view path)
    {
        std::string result = "\1";
        for (char c : path)
            result += c == '/' ? '\1' : c;
        return result;
    }
    // A row at `path` named after its last part.
    template <class T>
    T* Add(std::string_view path, const std::string& value)
    {
        auto* item = static_cast<T*>(inspector.AddInspectorItem(PathOf(path), value, T::Class));
        item->SetName(std::string(path.substr(path.rfind('/') + 1)));
        return item;
    }
    TrmTreeNonViewNode* Node(std::string_view path) { return inspector.Items().FindPathNode(PathOf(path)); }

    void Key(platform::KeyCode code, platform::ShiftState shift = platform::shift::None)
    {
        inspector.HostKeyDown(code, shift);
    }
    void Type(std::string_view text)
    {
        for (char c : text) {
            char32_t ch = static_cast<unsigned char>(c);
            inspector.HostKeyPress(ch);
        }
    }
    void Click(int32_t x, int32_t y)
    {
        inspector.HostMouseDown(platform::MouseButton::Left, platform::shift::Left, x, y);
        inspector.HostMouseUp(platform::MouseButton::Left, platform::shift::None, x, y);
    }
    // The middle of row `row` as shown now, in the name (false) or value (true) column.
    void ClickRow(int32_t row, bool valueColumn)
    {
        Click(valueColumn ? inspector.SplitPos() + 20 : inspector.SplitPos() - 20,
              (row - inspector.TopIndex()) * 20 + 10);
    }

    CellRasterizer rasterizer; // installed before the inspector exists
    TrmInspector inspector;
};
