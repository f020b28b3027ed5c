#include "toolkit/headless/headless_window.h"

#include <algorithm>

#include "text/gbk_chars.h"

namespace extdict {
namespace {

HeadlessControl buildControl(const tk::ControlForm& form) {
    HeadlessControl control;
    control.name = form.name;
    control.kind = form.kind;
    control.place = {form.left, form.top, std::max(form.width, 0), std::max(form.height, 0)};
    control.text = std::string(untilNul(form.text));
    control.style = form.style;
    control.parent = form.parent;
    control.visible = form.style.visible && form.kind != tk::ControlKind::FileDialog;
    return control;
}

Place windowPlace(const tk::WindowForm& form, int screenWidth, int screenHeight) {
    Place place{form.left, form.top, std::max(form.width, 0), std::max(form.height, 0)};
    if (form.centred) {
        place.left = (screenWidth - place.width) / 2;
        place.top = (screenHeight - place.height) / 2;
    }
    return place;
}

} // namespace

HeadlessWindow buildWindow(const tk::WindowForm& form, tk::Bindings bindings, int screenWidth,
                           int screenHeight) {
    HeadlessWindow window;
    window.name = form.name;
    window.caption = std::string(untilNul(form.caption));
    window.captions.push_back(window.caption);
    window.place = windowPlace(form, screenWidth, screenHeight);
    window.hasIcon = form.hasIcon;
    for (const tk::ControlForm& control : form.controls)
        window.controls.push_back(buildControl(control));
    window.bindings = std::make_shared<const tk::Bindings>(std::move(bindings));
    return window;
}

} // namespace extdict
