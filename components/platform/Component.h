#pragma once
// A minimal component base: an owner that frees what it owns, the component
// state that tells a component whether it stands in a form designer or is
// being loaded from a form description, and the Loaded notification.

#include <vector>

namespace platform {

class TObject
{
public:
    virtual ~TObject() = default;
};

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csDesigning = 1u << 1,
};

class TComponent : public TObject
{
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const std::vector<TComponent*>& Components() const { return FComponents; }

    unsigned ComponentState() const { return FComponentState; }
    bool IsDesigning() const { return (FComponentState & csDesigning) != 0; }
    // What a form designer or a form loader sets before it applies properties.
    void SetDesigning(bool designing);
    void BeginLoading() { FComponentState |= csLoading; }

    // Called once the form description has set every property.
    virtual void Loaded();

private:
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    unsigned FComponentState = 0;
};

} // namespace platform
