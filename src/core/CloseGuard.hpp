#pragma once

// Something that may hold back the closing of the window, such as unsaved edits.
class CloseGuard {
public:
    virtual ~CloseGuard() = default;
    // Asked when the user closes the window; true lets it close.
    virtual bool ConfirmClose() = 0;
};
