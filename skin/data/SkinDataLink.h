#pragma once
#include "platform/core/Component.h"

class TbsSkinData;

// A holder's link to a skin container it does not own. Relinking moves the
// holder's free notification from the old container to the new one; the
// holder's Notification hands each removal to Drop, which empties the link
// when the container it names goes away. Reads like the pointer it holds.
class TbsSkinDataLink {
public:
    explicit TbsSkinDataLink(TComponent* AHolder) : FHolder(AHolder) {}
    TbsSkinDataLink(const TbsSkinDataLink&) = delete;
    TbsSkinDataLink& operator=(const TbsSkinDataLink&) = delete;

    TbsSkinData* Get() const { return FSkinData; }
    operator TbsSkinData*() const { return FSkinData; }
    TbsSkinData* operator->() const { return FSkinData; }

    void Set(TbsSkinData* Value);
    // True, and the link emptied, when AComponent is the linked container
    // being removed; the holder then lets go of what the skin lent it.
    bool Drop(TComponent* AComponent, TOperation Operation);

private:
    TComponent* FHolder;
    TbsSkinData* FSkinData = nullptr;
};
