#pragma once
// A window with the extension box and the encyclopedia link, on the headless toolkit, and
// the lookup's view of it.

#include "net/encyclopedia.h"
#include "net/encyclopedia_texts.h"
#include "text/encoding.h"
#include "toolkit/headless/headless_services.h"
#include "toolkit/headless/headless_toolkit.h"

namespace extdict::testing {

inline tk::WindowForm encyclopediaForm() {
    tk::WindowForm form;
    form.name = "EncyclopediaWindow";
    form.width = 400;
    form.height = 200;
    form.controls = {
        {gbk("编辑框扩展名"), tk::ControlKind::EditBox, 8, 8, 88, 24, {}, {}, {}, {}, {}},
        {gbk("超级链接框网页版百科"), tk::ControlKind::Hyperlink, 107, 40, 160, 24,
         encyclopedia_texts::linkCaption(), {}, {}, {}, {}},
    };
    return form;
}

struct EncyclopediaWindow {
    EncyclopediaWindow() {
        window = ui.loadWindow(encyclopediaForm(), {}, std::nullopt, false);
        extensionBox = {window, ui.controlNamed(window, gbk("编辑框扩展名"))};
        link = {window, ui.controlNamed(window, gbk("超级链接框网页版百科"))};
    }

    Encyclopedia encyclopedia() { return {ui, services, cache, extensionBox, link}; }
    void lookUp(std::string_view extension, bool openPage) {
        ui.setText(extensionBox, extension);
        encyclopediaLookup(encyclopedia(), openPage);
    }
    std::string linkCaption() const { return ui.text(link); }

    HeadlessServices services;
    HeadlessToolkit ui{services};
    EncyclopediaCache cache;
    tk::WindowId window = 0;
    tk::ControlRef extensionBox;
    tk::ControlRef link;
};

} // namespace extdict::testing
