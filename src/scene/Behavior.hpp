#pragma once

#include <map>
#include <memory>

#include "scene/Component.hpp"
#include "scene/Coroutine.hpp"
#include "scene/IComponentShortcuts.hpp"

// Game logic attached to an object. The input pass calls HandleInput; the update pass calls
// Start once, then Update, then steps the due coroutines.
class Behavior : public Component, public IComponentShortcuts {
public:
    ~Behavior() override = default;

    virtual void Update() {}
    virtual void HandleInput() {}
    virtual void Start() {}

    // This behaviour's coroutine for `body`, created (idle) on first use.
    template <class T>
    Coroutine& GetCoroutine(YieldInstruction (T::*body)(int32_t));
    // Starts the coroutine at step 0 and runs that step now, unless it is running already.
    template <class T>
    void StartCoroutine(YieldInstruction (T::*body)(int32_t));
    // Marks the coroutine idle; it stays in `coroutines` as it is.
    template <class T>
    void StopCoroutine(YieldInstruction (T::*body)(int32_t));

    bool started = false;
    std::map<int32_t, std::unique_ptr<Coroutine>> coroutines;  // by body id, ascending

private:
    void StartCoroutine(Coroutine& c);
};

template <class T>
Coroutine& Behavior::GetCoroutine(YieldInstruction (T::*body)(int32_t)) {
    T* self = dynamic_cast<T*>(this);
    const int32_t id = (self->*body)(-1).value;
    auto found = coroutines.find(id);
    if (found != coroutines.end()) return *found->second;
    auto c = std::make_unique<Coroutine>();
    c->body = [self, body](int32_t step) { return (self->*body)(step); };
    Coroutine& result = *c;
    coroutines.emplace(id, std::move(c));
    return result;
}

template <class T>
void Behavior::StartCoroutine(YieldInstruction (T::*body)(int32_t)) {
    StartCoroutine(GetCoroutine(body));
}

template <class T>
void Behavior::StopCoroutine(YieldInstruction (T::*body)(int32_t)) {
    Coroutine& c = GetCoroutine(body);
    c.running = false;
    c.paused = false;
}
