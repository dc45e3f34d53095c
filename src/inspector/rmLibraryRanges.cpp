#include "inspector/rmLibraryRanges.h"

#include "platform/Control.h"
#include "platform/Exception.h"

#include <cmath>
#include <string>

int32_t SetInRange(int32_t V, int32_t Lo, int32_t Hi)
{
    if (Lo > Hi)
        throw ERangeError(std::to_string(Lo) + " is not less than or equal to " + std::to_string(Hi));
    return V < Lo ? Lo : (V > Hi ? Hi : V);
}

int32_t RectDiameter(int32_t Width, int32_t Height)
{
    // The diagonal as the hypotenuse: also right for a flat box, where the angle of the
    // diagonal is 0.
    return int32_t(std::nearbyint(std::hypot(double(Width), double(Height)))) + 2;
}

platform::Rect ClientRectToScreenRect(const platform::Control& Control, const platform::Rect& R)
{
    const platform::Point topLeft = Control.ClientToScreen({R.Left, R.Top});
    const platform::Point bottomRight = Control.ClientToScreen({R.Right, R.Bottom});
    return {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}

platform::Rect ScreenRectToClientRect(const platform::Control& Control, const platform::Rect& R)
{
    const platform::Point origin = Control.ClientToScreen({0, 0});
    return R.Offset(-origin.X, -origin.Y);
}
