// Without a display the game stops at once instead of running where nobody sees it; a video
// driver chosen on purpose (as the tests do) still runs anywhere.
#include <gtest/gtest.h>

#include "core/DesktopSession.hpp"

TEST(DesktopSession, NeedsADisplayUnlessADriverWasChosen) {
    struct Case {
        const char *driver, *display, *wayland;
        bool runs;
    };
    const Case cases[] = {
        {nullptr, ":0", nullptr, true},
        {nullptr, nullptr, "wayland-0", true},
        {"dummy", nullptr, nullptr, true},
        {nullptr, nullptr, nullptr, false},
        {"", "", "", false},
    };
    for (const Case& c : cases) {
        const auto problem = DesktopSessionProblem(c.driver, c.display, c.wayland);
        EXPECT_EQ(!problem, c.runs) << (c.driver ? c.driver : "-") << (c.display ? c.display : "-")
                                    << (c.wayland ? c.wayland : "-");
    }
}
