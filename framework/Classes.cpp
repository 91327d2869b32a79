#include "Classes.h"

#include <QRegularExpression>
#include <algorithm>
#include <cxxabi.h>
#include <cstdlib>
#include <memory>
#include <typeinfo>

String TObject::ClassName() const
{
    const char *mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void *)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    String name = QString::fromLatin1(status == 0 ? demangled.get() : mangled);
    // Classes declared in a namespace (tests) are named by their last part.
    const int colons = name.lastIndexOf(QLatin1String("::"));
    return colons < 0 ? name : name.mid(colons + 2);
}

void TPersistent::Assign(const TPersistent *Source)
{
    if (!Source)
        throw EConvertError(QStringLiteral("Cannot assign a nil"));
    Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent *Dest) const
{
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(ClassName(), Dest->ClassName()));
}

TComponent::TComponent(TComponent *AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Whoever asked to hear of this component's removal hears it now.
    while (!FFreeNotifies.empty()) {
        TComponent *other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        std::erase(other->FFreeNotifies, this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::Destroying()
{
    if (FComponentState & csDestroying)
        return;
    FComponentState |= csDestroying;
    for (TComponent *c : FComponents)
        c->Destroying();
}

TComponent *TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= ComponentCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FComponents[Index];
}

int TComponent::ComponentIndex() const
{
    if (!FOwner)
        return -1;
    auto it = std::find(FOwner->FComponents.begin(), FOwner->FComponents.end(), this);
    return static_cast<int>(it - FOwner->FComponents.begin());
}

TComponent *TComponent::FindComponent(const String &AName) const
{
    if (AName.isEmpty())
        return nullptr;
    for (TComponent *c : FComponents)
        if (c->FName.compare(AName, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

void TComponent::SetName(const String &Value)
{
    if (Value == FName)
        return;
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!Value.isEmpty() && !identifier.match(Value).hasMatch())
        throw EComponentError(QStringLiteral("'%1' is not a valid component name").arg(Value));
    if (FOwner) {
        TComponent *other = FOwner->FindComponent(Value);
        if (other && other != this)
            throw EComponentError(QStringLiteral("A component named %1 already exists").arg(Value));
    }
    FName = Value;
}

void TComponent::InsertComponent(TComponent *AComponent)
{
    if (AComponent->FOwner)
        AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    NotifyAll(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent *AComponent)
{
    NotifyAll(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent *AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent *AComponent)
{
    std::erase(FComponents, AComponent);
    AComponent->FOwner = nullptr;
}

// The owner and each of its components hear about AComponent.
void TComponent::NotifyAll(TComponent *AComponent, TOperation Operation)
{
    Notification(AComponent, Operation);
    const std::vector<TComponent *> components = FComponents;
    for (TComponent *c : components)
        if (std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end())
            c->Notification(AComponent, Operation);
}

void TComponent::DestroyComponents()
{
    // The last created goes first, as the framework frees them.
    while (!FComponents.empty())
        delete FComponents.back();
}

void TComponent::FreeNotification(TComponent *AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(AComponent);
        AComponent->FFreeNotifies.push_back(this);
    }
    FComponentState |= csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent *AComponent)
{
    std::erase(FFreeNotifies, AComponent);
    if (AComponent)
        std::erase(AComponent->FFreeNotifies, this);
}

void TComponent::Notification(TComponent *AComponent, TOperation Operation)
{
    if (Operation == opRemove)
        RemoveFreeNotification(AComponent);
}

void TComponent::BeginLoading()
{
    FComponentState |= csLoading;
}

void TComponent::Loaded()
{
    FComponentState &= ~csLoading;
}

void TComponent::SetDesigning(bool Value)
{
    if (Value)
        FComponentState |= csDesigning;
    else
        FComponentState &= ~csDesigning;
}
