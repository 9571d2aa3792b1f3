#include "skin/data/SkinFormLink.h"

namespace {
TbsSkinFormLink& Link() {
    static TbsSkinFormLink link;
    return link;
}
}  // namespace

void SetSkinFormLink(TbsSkinFormLink Link_) {
    Link() = std::move(Link_);
}

const TbsSkinFormLink& SkinFormLink() {
    return Link();
}
