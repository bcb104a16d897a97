#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Game.hpp"
#include "core/GameTime.hpp"
#include "core/Services.hpp"
#include "graphics/TextComponent.hpp"
#include "scene/Behavior.hpp"
#include "scene/GameObject.hpp"

namespace {

std::vector<std::string> journal;

class Logged : public Behavior {
public:
    explicit Logged(std::string name_) : name(std::move(name_)) {}
    ~Logged() override { journal.push_back("~" + name); }
    void HandleInput() override { journal.push_back("input " + name); }
    void Start() override { journal.push_back("start " + name); }
    void Update() override {
        journal.push_back("update " + name);
        if (spawnOnUpdate) {
            spawnOnUpdate = false;
            owner->AddComponent(new Logged(name + "+"));
        }
    }
    std::string name;
    bool spawnOnUpdate = false;
};

class LoggedSprite : public SpriteComponent {
public:
    explicit LoggedSprite(std::string name_) : name(std::move(name_)) {}
    ~LoggedSprite() override { journal.push_back("~" + name); }
    std::string name;
};

class LoggedObject : public GameObject {
public:
    explicit LoggedObject(std::string name_) : name(std::move(name_)) {}
    ~LoggedObject() override { journal.push_back("~" + name); }
    std::string name;
};

struct Clock {
    GameTime time;
    GameTime* saved = Services::time;
    Clock() { Services::time = &time; }
    ~Clock() { Services::time = saved; }
};

}  // namespace

TEST(Shortcuts, BehaviourSeesTheObjectsFirstSpriteWhicheverCameFirst) {
    GameObject spriteFirst;
    auto* s1 = spriteFirst.AddComponent(new SpriteComponent);
    auto* b1 = spriteFirst.AddComponent(new Behavior);
    EXPECT_EQ(b1->sprite, s1);

    GameObject behaviourFirst;
    auto* b2 = behaviourFirst.AddComponent(new Behavior);
    auto* s2 = behaviourFirst.AddComponent(new SpriteComponent);
    EXPECT_EQ(behaviourFirst.sprite, s2);
    EXPECT_EQ(b2->sprite, s2);
    EXPECT_EQ(b2->owner, &behaviourFirst);
}

TEST(Shortcuts, ASecondComponentOfAKindIsOwnedButNotReachable) {
    journal.clear();
    {
        GameObject o;
        auto* first = o.AddComponent(new LoggedSprite("a"));
        auto* second = o.AddComponent(new LoggedSprite("b"));
        auto* text = o.AddComponent(new TextComponent);
        auto* pos = o.AddComponent(new Pos2dComponent);
        EXPECT_EQ(o.sprite, first);
        EXPECT_NE(o.sprite, second);
        EXPECT_EQ(o.text, text);
        EXPECT_EQ(o.pos2d, pos);
        EXPECT_EQ(o.components.size(), 4u);
        EXPECT_TRUE(o.behaviors.empty());
    }
    EXPECT_EQ(journal, (std::vector<std::string>{"~a", "~b"}));
}

TEST(SceneTree, DestroyingTheRootDestroysEverythingOnceComponentsBeforeChildren) {
    journal.clear();
    {
        LoggedObject root("root");
        auto* a = root.AddChild(new LoggedObject("A"));
        root.AddComponent(new LoggedSprite("root.s"));
        a->AddComponent(new Logged("A.b"));
        a->AddChild(new LoggedObject("A1"))->AddComponent(new LoggedSprite("A1.s"));
        root.AddChild(new LoggedObject("B"));
        EXPECT_EQ(a->parent, &root);
    }
    // The derived destructor logs first, then GameObject's destroys components, then children.
    EXPECT_EQ(journal, (std::vector<std::string>{"~root", "~root.s", "~A", "~A.b", "~A1", "~A1.s",
                                                 "~B"}));
}

TEST(Passes, AllInputBeforeAnyStartAndPreOrder) {
    journal.clear();
    Clock clock;
    GameObject root;
    root.AddComponent(new Logged("r"));
    auto* child = root.AddChild(new GameObject);
    child->AddComponent(new Logged("c1"));
    child->AddComponent(new Logged("c2"));
    Game::InputPass(root);
    Game::UpdatePass(root);
    const std::vector<std::string> expected{"input r",  "input c1",  "input c2", "start r",
                                            "update r", "start c1",  "update c1", "start c2",
                                            "update c2"};
    EXPECT_EQ(std::vector<std::string>(journal.begin(), journal.begin() + 9), expected);
    journal.clear();
    Game::UpdatePass(root);
    EXPECT_EQ(journal, (std::vector<std::string>{"update r", "update c1", "update c2"}));
    journal.clear();
}

TEST(Passes, BehaviourAttachedDuringUpdateStartsInTheSamePassButNotInInput) {
    journal.clear();
    Clock clock;
    GameObject root;
    auto* b = root.AddComponent(new Logged("x"));
    b->spawnOnUpdate = true;
    Game::UpdatePass(root);
    EXPECT_EQ(journal, (std::vector<std::string>{"start x", "update x", "start x+", "update x+"}));
    journal.clear();
    Game::InputPass(root);
    EXPECT_EQ(journal, (std::vector<std::string>{"input x", "input x+"}));
    journal.clear();
}
