#include <gtest/gtest.h>

#include <vector>

#include "core/GameTime.hpp"
#include "core/Services.hpp"
#include "core/Game.hpp"
#include "scene/Behavior.hpp"
#include "scene/GameObject.hpp"

namespace {

// Keeps a GameTime in the registry for the update pass, at 1/60 s a frame.
struct Clock {
    GameTime time;
    GameTime* saved = Services::time;
    Clock() {
        time.delta = 1.0f / 60.0f;
        Services::time = &time;
    }
    ~Clock() { Services::time = saved; }
};

class Scripted : public Behavior {
public:
    std::vector<int32_t> ran;  // the step indices the body ran, in order
    YieldInstruction waitAtZero{YieldKind::WaitSeconds, 0, 2.0f};

    YieldInstruction Body(int32_t step) {
        static int32_t id = 0;
        if (step == -1) return AnswerCoroutineId(id);
        ran.push_back(step);
        switch (step) {
        case 0: return waitAtZero;
        case 1: return {YieldKind::Continue};
        case 2: return {YieldKind::GoTo, 5};
        case 5: return {YieldKind::WaitFrames, 3};
        default: return {YieldKind::Stop};
        }
    }
    YieldInstruction Other(int32_t step) {
        static int32_t id = 0;
        if (step == -1) return AnswerCoroutineId(id);
        return {YieldKind::Continue};
    }
    YieldInstruction Looping(int32_t step) {
        static int32_t id = 0;
        if (step == -1) return AnswerCoroutineId(id);
        ran.push_back(step);
        return {YieldKind::Restart};
    }
};

struct World {
    Clock clock;
    GameObject root;
    Scripted* b = root.AddComponent(new Scripted);
    void Frame() { Game::UpdatePass(root); }
};

}  // namespace

TEST(Coroutine, StartRunsStepZeroAtOnceAndStartingAgainChangesNothing) {
    World w;
    w.b->StartCoroutine(&Scripted::Body);
    ASSERT_EQ(w.b->ran, std::vector<int32_t>{0});
    Coroutine& c = w.b->GetCoroutine(&Scripted::Body);
    EXPECT_TRUE(c.running);
    EXPECT_EQ(c.step, 1);
    EXPECT_FLOAT_EQ(c.waitSeconds, 2.0f);
    w.Frame();
    const float waited = c.waitSeconds;
    w.b->StartCoroutine(&Scripted::Body);
    EXPECT_EQ(w.b->ran.size(), 1u);
    EXPECT_EQ(c.waitSeconds, waited);
}

TEST(Coroutine, StopThenStartRestartsAtStepZeroAtOnce) {
    World w;
    w.b->waitAtZero = {YieldKind::Continue};
    w.b->StartCoroutine(&Scripted::Body);
    w.Frame();  // step 1
    w.b->StopCoroutine(&Scripted::Body);
    w.Frame();
    EXPECT_EQ(w.b->ran, (std::vector<int32_t>{0, 1}));
    w.b->StartCoroutine(&Scripted::Body);
    EXPECT_EQ(w.b->ran, (std::vector<int32_t>{0, 1, 0}));
}

TEST(Coroutine, TwoSecondWaitRunsTheNextStepOnThe120thOr121stVisitNeverEarlier) {
    World w;
    w.b->StartCoroutine(&Scripted::Body);
    int visits = 0;
    while (w.b->ran.size() == 1 && visits < 200) {
        w.Frame();
        ++visits;
    }
    EXPECT_TRUE(visits == 120 || visits == 121) << visits;
}

TEST(Coroutine, GoToRunsWithinTheSameStepAndWaitFramesCountsPasses) {
    World w;
    w.b->waitAtZero = {YieldKind::Continue};
    w.b->StartCoroutine(&Scripted::Body);
    w.Frame();  // step 1: Continue
    w.Frame();  // step 2: GoTo 5, step 5 runs in the same Step
    EXPECT_EQ(w.b->ran, (std::vector<int32_t>{0, 1, 2, 5}));
    Coroutine& c = w.b->GetCoroutine(&Scripted::Body);
    EXPECT_EQ(c.step, 6);
    w.Frame();
    w.Frame();
    EXPECT_EQ(w.b->ran.size(), 4u);
    w.Frame();  // third pass after WaitFrames 3
    EXPECT_EQ(w.b->ran.back(), 6);
}

TEST(Coroutine, StopLeavesItInTheTableIdleAndRestartableFromZero) {
    World w;
    w.b->waitAtZero = {YieldKind::Stop};
    w.b->StartCoroutine(&Scripted::Body);
    Coroutine& c = w.b->GetCoroutine(&Scripted::Body);
    EXPECT_FALSE(c.running);
    EXPECT_EQ(w.b->coroutines.size(), 1u);
    w.Frame();
    EXPECT_EQ(w.b->ran.size(), 1u);
    w.b->StartCoroutine(&Scripted::Body);
    EXPECT_EQ(w.b->ran, (std::vector<int32_t>{0, 0}));
}

namespace {
// Bodies asked for by this test alone, so their ids depend only on the order asked here.
class TwoBodies : public Behavior {
public:
    std::vector<int> order;
    YieldInstruction Alpha(int32_t step) {
        static int32_t id = 0;
        if (step == -1) return AnswerCoroutineId(id);
        order.push_back(1);
        return {YieldKind::Continue};
    }
    YieldInstruction Beta(int32_t step) {
        static int32_t id = 0;
        if (step == -1) return AnswerCoroutineId(id);
        order.push_back(2);
        return {YieldKind::Continue};
    }
};
}  // namespace

TEST(Coroutine, IdsAscendInFirstAskedOrderAndAreSharedAcrossBehaviours) {
    Clock clock;
    GameObject root;
    auto* b = root.AddComponent(new TwoBodies);
    b->StartCoroutine(&TwoBodies::Beta);   // asked first: the lower id
    b->StartCoroutine(&TwoBodies::Alpha);
    EXPECT_LT(b->Beta(-1).value, b->Alpha(-1).value);
    TwoBodies other;
    EXPECT_EQ(other.Alpha(-1).value, b->Alpha(-1).value);
    b->order.clear();
    Game::UpdatePass(root);
    EXPECT_EQ(b->order, (std::vector<int>{2, 1}));  // stepped in ascending id order
}

TEST(Coroutine, RestartFromStepZeroIsRefusedAndStopsTheCoroutine) {
    World w;
    testing::internal::CaptureStderr();
    w.b->StartCoroutine(&Scripted::Looping);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(w.b->ran, std::vector<int32_t>{0});
    EXPECT_FALSE(w.b->GetCoroutine(&Scripted::Looping).running);
    EXPECT_NE(err.find("Restart"), std::string::npos);
}
