#pragma once
// Range tests, clamping and rectangle measures shared by the controls.
#include "platform/Geometry.h"

#include <cstdint>

namespace platform {
class Control;
}

inline bool IntInRange(int32_t V, int32_t Lo, int32_t Hi)
{
    return Lo <= V && V <= Hi;
}

inline bool CompInRange(int64_t V, int64_t Lo, int64_t Hi)
{
    return Lo <= V && V <= Hi;
}

// V clamped into Lo..Hi; raises ERangeError when Lo > Hi.
int32_t SetInRange(int32_t V, int32_t Lo, int32_t Hi);

inline int32_t GreaterThanInt(int32_t A, int32_t B)
{
    return A >= B ? A : B;
}

inline int32_t LessThanInt(int32_t A, int32_t B)
{
    return A <= B ? A : B;
}

// Ties give A.
inline double GreaterThanFloat(double A, double B)
{
    return B > A ? B : A;
}

inline double LessThanFloat(double A, double B)
{
    return B < A ? B : A;
}

// Any rectangle with Left, Top, Right and Bottom.
template <class R>
int32_t RectWidth(const R& Rect)
{
    return Rect.Right - Rect.Left;
}

template <class R>
int32_t RectHeight(const R& Rect)
{
    return Rect.Bottom - Rect.Top;
}

// The length of the diagonal of a Width x Height box, to the nearest pixel, plus 2.
int32_t RectDiameter(int32_t Width, int32_t Height);

template <class R>
int32_t RectDiameter(const R& Rect)
{
    return RectDiameter(RectWidth(Rect), RectHeight(Rect));
}

// R with both corners mapped from the control's coordinates to the desktop's, and back.
// The hosts place a control by moving it only, so mapping back subtracts where the
// control's origin lies on the desktop.
platform::Rect ClientRectToScreenRect(const platform::Control& Control, const platform::Rect& R);
platform::Rect ScreenRectToClientRect(const platform::Control& Control, const platform::Rect& R);
