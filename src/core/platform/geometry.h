#pragma once

namespace cardwise {

// Screen rectangles and sizes in pixels, shared by the drill windows' layout and the
// picture viewer.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize&) const = default;
};

}  // namespace cardwise
