#include "platform/Component.h"

#include <algorithm>

namespace platform {

TComponent::TComponent(TComponent* owner) : FOwner(owner)
{
    if (FOwner) {
        FOwner->FComponents.push_back(this);
        // A component made inside a designed form is itself designed.
        if (FOwner->IsDesigning())
            FComponentState |= csDesigning;
    }
}

TComponent::~TComponent()
{
    // Children remove themselves from FComponents as they go, so take them
    // from the back until none is left.
    while (!FComponents.empty()) {
        TComponent* child = FComponents.back();
        child->FOwner = nullptr;
        FComponents.pop_back();
        delete child;
    }
    if (FOwner) {
        auto& siblings = FOwner->FComponents;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

void TComponent::SetDesigning(bool designing)
{
    if (designing)
        FComponentState |= csDesigning;
    else
        FComponentState &= ~static_cast<unsigned>(csDesigning);
}

void TComponent::Loaded()
{
    FComponentState &= ~static_cast<unsigned>(csLoading);
}

} // namespace platform
