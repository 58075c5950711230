#pragma once

namespace ardl {

// Shows the hourglass for as long as it lives; every way out of the scope,
// errors included, restores the pointer.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace ardl
