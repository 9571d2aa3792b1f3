#include "platform/ui/VisibleRegionCache.h"

// Window handles are multiples of four: the two low bits hold the flags.
uintptr_t TVisibleRegionCache::Key(HWND h, bool clientOnly, bool clipChildren)
{
    return reinterpret_cast<uintptr_t>(h) | (clientOnly ? 1u : 0u) | (clipChildren ? 2u : 0u);
}

const TRegion* TVisibleRegionCache::Find(HWND h, bool clientOnly, bool clipChildren) const
{
    auto it = FRegions.find(Key(h, clientOnly, clipChildren));
    return it == FRegions.end() ? nullptr : &it->second;
}

const TRegion& TVisibleRegionCache::Keep(HWND h, bool clientOnly, bool clipChildren, TRegion rgn)
{
    return FRegions[Key(h, clientOnly, clipChildren)] = std::move(rgn);
}
