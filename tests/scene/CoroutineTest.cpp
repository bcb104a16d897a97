#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "core/GameTime.hpp"
#include "core/Services.hpp"
#include "game/Game.hpp"
#include "scene/Behavior.hpp"
#include "scene/GameObject.hpp"

namespace {

using Steps = std::vector<int32_t>;
constexpr YieldInstruction next{YieldKind::Continue};

// A coroutine body that answers from a script and records the steps it ran; a step not in the
// script answers Stop.
class Scripted : public Behavior {
public:
    Steps ran;
    std::map<int32_t, YieldInstruction> script;
    YieldInstruction Body(int32_t step) {
        static int32_t id = 0;
        if (step == -1) return AnswerCoroutineId(id);
        ran.push_back(step);
        const auto found = script.find(step);
        return found == script.end() ? YieldInstruction{YieldKind::Stop} : found->second;
    }
};

// A behaviour on a root, with update passes of 1/60 s.
struct World {
    GameTime time;
    GameObject root;
    Scripted& b = *root.AddComponent(new Scripted);
    World() {
        time.delta = 1.0f / 60.0f;
        Services::time = &time;
    }
    ~World() { Services::time = nullptr; }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Game::UpdatePass(root);
    }
};

}  // namespace

TEST(Coroutine, StartRunsStepZeroAtOnceAndAgainOnlyAfterAStop) {
    World w;
    w.b.script = {{0, next}, {1, next}};
    w.b.StartCoroutine(&Scripted::Body);
    w.b.StartCoroutine(&Scripted::Body);  // running already: nothing changes
    w.Frames(1);
    w.b.StopCoroutine(&Scripted::Body);
    w.Frames(1);
    EXPECT_EQ(w.b.ran, (Steps{0, 1}));
    w.b.StartCoroutine(&Scripted::Body);
    w.Frames(3);  // 1, then 2 answers Stop: idle, but kept
    EXPECT_EQ(w.b.ran, (Steps{0, 1, 0, 1, 2}));
    w.b.StartCoroutine(&Scripted::Body);
    EXPECT_EQ(w.b.ran.back(), 0);
    // Step 0 answering Restart would run step 0 for ever within one pass: it is stopped instead.
    World looping;
    looping.b.script = {{0, {YieldKind::Restart}}};
    testing::internal::CaptureStderr();
    looping.b.StartCoroutine(&Scripted::Body);
    looping.Frames(2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Restart from step 0"), std::string::npos);
    EXPECT_EQ(looping.b.ran, (Steps{0}));
}

TEST(Coroutine, WaitsCountGameTimeAndPassesAndGoToAndRestartRunAtOnce) {
    World w;
    w.b.script = {{0, {YieldKind::WaitSeconds, 0, 2.0f}},
                  {1, {YieldKind::GoTo, 5}},
                  {5, {YieldKind::WaitFrames, 3}},
                  {6, {YieldKind::Restart}}};
    w.b.StartCoroutine(&Scripted::Body);
    int passes = 0;
    for (; w.b.ran.size() == 1 && passes < 200; ++passes) w.Frames(1);
    EXPECT_TRUE(passes == 120 || passes == 121) << passes;  // float sums of 1/60 s
    w.Frames(2);
    EXPECT_EQ(w.b.ran, (Steps{0, 1, 5}));
    w.Frames(1);
    EXPECT_EQ(w.b.ran, (Steps{0, 1, 5, 6, 0}));
}
