#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One line of a menu page: what it is, and its value at the right ("< 7 >", "On", keys).
struct MenuRow {
    std::string label;
    std::string value;
};

// A page of the menu below its first one (Settings, Keys). The menu draws its rows, moves the
// selection and says which row was chosen or stepped.
class MenuPage {
public:
    virtual ~MenuPage() = default;

    virtual std::string Title() const = 0;
    virtual std::vector<MenuRow> Rows() const = 0;
    // Enter or A on `row`. False for the page's Back row: the menu goes back then.
    virtual bool Choose(int32_t row) = 0;
    // Left (-1) or right (+1) on `row`.
    virtual void Step(int32_t row, int32_t direction) { (void)row, (void)direction; }
    // While true, the page takes the keys itself (a key to bind is awaited).
    virtual bool Capturing() const { return false; }
    virtual void Capture() {}
};
