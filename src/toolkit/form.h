#pragma once
// Forms as data: every window's controls, places, texts and styles, and which handler each
// event goes to. Every toolkit backend builds real controls from these tables.

#include <functional>
#include <string>
#include <vector>

#include "toolkit/events.h"

namespace extdict::tk {

enum class ControlKind { EditBox, ListBox, Button, Label, Hyperlink, ShapeBox, FileDialog };

// Styles a backend honours where its platform can; the headless toolkit only keeps them.
struct ControlStyle {
    bool multiLine = false;
    bool wantReturn = false;       // Enter starts a new line
    bool verticalScrollBar = false;
    bool autoVerticalScroll = false;
    bool autoHorizontalScroll = false;
    bool hideSelection = true;     // selection hidden while the box has no focus
    bool readOnly = false;
    int userByteLimit = 0;         // most GBK bytes the user may type; 0 for none
    unsigned textColour = 0x000000;  // 0xRRGGBB
    bool sunkenBorder = false;
    bool visible = true;
};

struct ControlForm {
    std::string name;      // the form name, GBK
    ControlKind kind;
    int left, top, width, height;
    std::string text;      // caption or content, GBK
    ControlStyle style;
    std::string parent;    // name of the containing control; empty for the window
    std::string filter;    // file dialog: "description|pattern|..." pairs
    std::string defaultExtension;
};

struct WindowForm {
    std::string name;
    std::string caption;
    int left, top, width, height;  // outer size, 96 DPI pixels
    bool centred = false;
    bool resizable = true;
    bool minimiseBox = true;
    bool maximiseBox = true;
    bool visibleAtLoad = true;
    bool hasIcon = false;
    std::vector<ControlForm> controls;  // in stacking order, the first on top
};

// A handler's false swallows the key, keeps the window open or stops the hyperlink.
using Handler = std::function<bool(const Event&)>;

struct Binding {
    std::string control;  // form name; empty for the window itself
    EventKind event;
    Handler handler;
};

using Bindings = std::vector<Binding>;

} // namespace extdict::tk
