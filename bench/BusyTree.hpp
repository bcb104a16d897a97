#pragma once

#include "scene/Behavior.hpp"
#include "scene/GameObject.hpp"

// A behaviour that does a little work every frame and runs a coroutine that waits, loops
// and jumps, as a game's animations do.
class BusyBehavior : public Behavior {
public:
    void Start() override { StartCoroutine(&BusyBehavior::Blink); }
    void HandleInput() override { ++inputs; }
    void Update() override {
        if (pos2d) pos2d->position.x += 1.0f;
    }
    YieldInstruction Blink(int32_t step) {
        static int32_t id = 0;
        if (step == -1) return AnswerCoroutineId(id);
        ++steps;
        switch (step) {
            case 0:
                return {YieldKind::WaitSeconds, 0, 0.05f};
            case 1:
                return {YieldKind::WaitFrames, 2};
            default:
                return {YieldKind::GoTo, 0};
        }
    }
    int inputs = 0;
    int steps = 0;
};

// `count` objects under `root`, each with a position, a sprite and a BusyBehavior, nested
// a few levels deep.
inline void BuildBusyTree(GameObject& root, int count) {
    GameObject* parent = &root;
    for (int i = 0; i < count; ++i) {
        auto* o = parent->AddChild(new GameObject);
        o->AddComponent(new Pos2dComponent);
        o->AddComponent(new SpriteComponent);
        o->AddComponent(new BusyBehavior);
        if (i % 10 == 9) parent = o;
    }
}
