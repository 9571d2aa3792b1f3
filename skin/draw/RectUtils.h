#pragma once
#include "platform/gfx/Geometry.h"

// Small number and rectangle helpers shared by every skinned control.
inline int IntMax(int A, int B) { return A > B ? A : B; }
inline int IntMin(int A, int B) { return A < B ? A : B; }
inline int RectWidth(const TRect& R) { return R.Right - R.Left; }    // may be negative
inline int RectHeight(const TRect& R) { return R.Bottom - R.Top; }   // may be negative
inline void NullRect(TRect& R) { R = TRect{0, 0, 0, 0}; }
inline bool IsNullRect(const TRect& R) { return RectWidth(R) <= 0 || RectHeight(R) <= 0; }
// A skin point with either coordinate 0 counts as unset.
inline bool IsNullPoint(const TPoint& P) { return P.X == 0 || P.Y == 0; }
inline bool RectsEqual(const TRect& R1, const TRect& R2) {
    return R1.Left == R2.Left && R1.Top == R2.Top && R1.Right == R2.Right && R1.Bottom == R2.Bottom;
}
// Right and bottom edges included.
inline bool PointInsideRect(const TRect& R, const TPoint& P) {
    return R.Left <= P.X && P.X <= R.Right && R.Top <= P.Y && P.Y <= R.Bottom;
}
// The system point test: left and top included, right and bottom excluded.
inline bool PtInRect(const TRect& R, const TPoint& P) {
    return R.Left <= P.X && P.X < R.Right && R.Top <= P.Y && P.Y < R.Bottom;
}
// Both corners of R1 pass R2's point test, so a rectangle is not inside an equal one.
inline bool RectInRect(const TRect& R1, const TRect& R2) {
    return PtInRect(R2, TPoint{R1.Left, R1.Top}) && PtInRect(R2, TPoint{R1.Right, R1.Bottom});
}
// R1's top or bottom lies in R2's vertical span.
inline bool RectTopOrBottomInRect(const TRect& R1, const TRect& R2) {
    return PtInRect(R2, TPoint{R2.Left + 1, R1.Top}) || PtInRect(R2, TPoint{R2.Right - 1, R1.Bottom});
}
