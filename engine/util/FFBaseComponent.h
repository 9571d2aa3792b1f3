#pragma once
#include "platform/core/Component.h"

// Common base of the engine's components (logger, probe, converter, player).
class TFFBaseComponent : public TComponent {
public:
    using TComponent::TComponent;
};
