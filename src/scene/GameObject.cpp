#include "scene/GameObject.hpp"

#include "scene/Behavior.hpp"

GameObject::~GameObject() {
    // Components first, in attachment order, then the children in the order added.
    for (Component* c : components) delete c;
    components.clear();
    behaviors.clear();
    for (GameObject* child : children) delete child;
    children.clear();
}

void GameObject::AttachComponent(Component* c) {
    c->owner = this;
    components.push_back(c);
    if (auto* b = dynamic_cast<Behavior*>(c)) {
        behaviors.push_back(b);
        b->pos2d = pos2d;
        b->sprite = sprite;
        b->text = text;
    }
    OfferComponent(c);
    for (Behavior* b : behaviors) b->OfferComponent(c);
}

void GameObject::AttachChild(GameObject* child) {
    child->parent = this;
    children.push_back(child);
}
