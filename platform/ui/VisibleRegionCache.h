#pragma once
#include <unordered_map>
#include "platform/gfx/Region.h"
#include "platform/ui/WinTypes.h"

// The visible regions worked out for painting, kept until any window moves,
// resizes, shows, hides, restacks, changes its region, style or parent. Every
// sibling above a window cuts its region, so working one out costs as much as
// there are siblings, and each paint asks for it twice (erase and paint).
class TVisibleRegionCache {
public:
    const TRegion* Find(HWND h, bool clientOnly, bool clipChildren) const;
    const TRegion& Keep(HWND h, bool clientOnly, bool clipChildren, TRegion rgn);
    // Some window's place, size, visibility, stacking, region, style or
    // parent changed: every region kept may be wrong now.
    void Clear() { FRegions.clear(); }

private:
    static uintptr_t Key(HWND h, bool clientOnly, bool clipChildren);
    std::unordered_map<uintptr_t, TRegion> FRegions;
};
