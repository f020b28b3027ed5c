#pragma once

namespace extdict::tk {

using WindowId = int;
using ControlId = int;
constexpr ControlId kWindowItself = 0;

// A window or one of its controls; control kWindowItself names the window.
struct ControlRef {
    WindowId window = 0;
    ControlId control = kWindowItself;
    friend bool operator==(const ControlRef&, const ControlRef&) = default;
};

enum class EventKind {
    Created,
    PositionChanged,
    SizeChanged,
    CanBeClosed,    // only the user's close
    WillBeDestroyed,
    Tray,           // trayKind 1 left release, 2 left double-click, 3 right release / menu key
    TextChanged,
    KeyDown,        // key is a Windows virtual-key code
    KeyUp,
    DoubleClicked,
    ItemSelected,   // by the user only
    Clicked,
    RightReleased,
    LinkPressed,
};

namespace modifier {
constexpr int Ctrl = 1;
constexpr int Shift = 2;
constexpr int Alt = 4;
} // namespace modifier

namespace key {
constexpr int Enter = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
} // namespace key

struct Event {
    EventKind kind;
    ControlRef source;
    int key = 0;
    int modifiers = 0;
    int trayKind = 0;
};

} // namespace extdict::tk
