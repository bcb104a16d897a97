#pragma once

#include <vector>

#include "scene/IComponentShortcuts.hpp"

class Behavior;
class Component;

// A node of the scene tree. Owns its components and children; the tree only grows until it
// is destroyed as a whole.
class GameObject : public IComponentShortcuts {
public:
    GameObject() = default;
    ~GameObject() override;
    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;

    // Takes ownership of `c`, sets its owner and offers it to this object's and its
    // behaviours' shortcut slots. Returns `c`.
    template <class T>
    T* AddComponent(T* c) {
        AttachComponent(c);
        return c;
    }
    // Takes ownership of `child` and makes this object its parent. Returns `child`.
    template <class T>
    T* AddChild(T* child) {
        AttachChild(child);
        return child;
    }

    std::vector<Component*> components;  // owned, in attachment order
    std::vector<Behavior*> behaviors;    // not owned: the behaviours among `components`
    std::vector<GameObject*> children;   // owned, in the order added
    GameObject* parent = nullptr;        // not owned

private:
    void AttachComponent(Component* c);
    void AttachChild(GameObject* child);
};
