#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/GameTime.hpp"
#include "core/Services.hpp"
#include "game/Game.hpp"
#include "scene/Behavior.hpp"
#include "scene/Component.hpp"
#include "scene/GameObject.hpp"

namespace {

using Journal = std::vector<std::string>;
Journal journal;

// Any part of the tree that writes its destruction to the journal.
template <class Base>
struct Logged : Base {
    explicit Logged(std::string name_) : name(std::move(name_)) {}
    ~Logged() override { journal.push_back("~" + name); }
    std::string name;
};

// A behaviour that writes its calls too; `onInput` and `onUpdate` run once, on the first call.
struct LoggedBehavior : Logged<Behavior> {
    using Logged::Logged;
    void HandleInput() override { Log("input", onInput); }
    void Start() override { journal.push_back("start " + name); }
    void Update() override { Log("update", onUpdate); }
    void Log(const std::string& what, std::function<void()>& hook) {
        journal.push_back(what + " " + name);
        if (auto run = std::exchange(hook, nullptr)) run();
    }
    std::function<void()> onInput, onUpdate;
};

// Runs `pass` on `root` with a GameTime in the registry and gives what it logged.
Journal Pass(GameObject& root, void (*pass)(GameObject&)) {
    GameTime time;
    Services::time = &time;
    journal.clear();
    pass(root);
    Services::time = nullptr;
    return std::exchange(journal, {});
}

}  // namespace

TEST(GameObject, ShortcutsReachTheFirstComponentOfAKindAndTheTreeGoesComponentsBeforeChildren) {
    journal.clear();
    {
        Logged<GameObject> root("root");
        auto* early = root.AddComponent(new Behavior);
        auto* first = root.AddComponent(new Logged<SpriteComponent>("s1"));
        root.AddComponent(new Logged<SpriteComponent>("s2"));  // owned, but no shortcut leads to it
        EXPECT_TRUE(root.sprite == first && early->sprite == first &&
                    root.AddComponent(new Behavior)->sprite == first);
        root.AddChild(new Logged<GameObject>("A"))->AddComponent(new Logged<SpriteComponent>("A.s"));
    }
    // The derived destructor logs first, then GameObject's destroys components, then children.
    EXPECT_EQ(journal, (Journal{"~root", "~s1", "~s2", "~A", "~A.s"}));
}

TEST(Passes, EachWalksTheTreeInPreOrderWhatTheUpdatePassAddsRunsInItWhatTheInputPassAddsWaitsForTheNext) {
    GameObject root;
    GameObject& a = *root.AddChild(new GameObject);
    auto* x = a.AddComponent(new LoggedBehavior("x"));
    // During the input pass, after the counts of a's behaviours and of the root's children
    // were taken: a behaviour beside x and a child beside a.
    x->onInput = [&] {
        a.AddComponent(new LoggedBehavior("x2"));
        root.AddChild(new GameObject)->AddComponent(new LoggedBehavior("y"));
    };
    EXPECT_EQ(Pass(root, Game::InputPass), (Journal{"input x"}));
    EXPECT_EQ(Pass(root, Game::InputPass), (Journal{"input x", "input x2", "input y"}));
    x->onUpdate = [&] {
        a.AddComponent(new LoggedBehavior("x3"));
        a.AddChild(new GameObject)->AddComponent(new LoggedBehavior("z"));
    };
    EXPECT_EQ(Pass(root, Game::UpdatePass),
              (Journal{"start x", "update x", "start x2", "update x2", "start x3", "update x3", "start z",
                       "update z", "start y", "update y"}));
    EXPECT_EQ(Pass(root, Game::UpdatePass),
              (Journal{"update x", "update x2", "update x3", "update z", "update y"}));
}
