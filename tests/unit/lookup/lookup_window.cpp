#include "lookup_window.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace extdict::test {
namespace {

using tk::ControlKind;
using tk::EventKind;

tk::WindowForm lookupForm() {
    tk::WindowForm form;
    form.name = "LookupWindow";
    form.caption = "Lookup";
    form.width = 548;
    form.height = 343;
    tk::ControlStyle hidden;
    hidden.visible = false;
    tk::ControlStyle multiLine;
    multiLine.multiLine = true;
    form.controls = {
        {gbk("列表框"), ControlKind::ListBox, 8, 32, 88, 168, {}, hidden, {}, {}, {}},
        {gbk("超级链接框网页版百科"), ControlKind::Hyperlink, 107, 40, 160, 24, "link", {}, {}, {}, {}},
        {gbk("编辑框注释"), ControlKind::EditBox, 8, 72, 528, 232, {}, multiLine, {}, {}, {}},
        {gbk("编辑框扩展名"), ControlKind::EditBox, 8, 8, 88, 24, {}, {}, {}, {}, {}},
        {gbk("标签1"), ControlKind::Label, 288, 40, 184, 24, gbk("简单解释："), {}, {}, {}, {}},
    };
    return form;
}

tk::Bindings queryBoxBindings(LookupWindow& w) {
    const auto onBox = [&w](auto handle) {
        return [&w, handle](const tk::Event& event) {
            QueryBox box = w.queryBox();
            return handle(box, event);
        };
    };
    const std::string edit = gbk("编辑框扩展名");
    return {
        {edit, EventKind::TextChanged, onBox([](QueryBox& b, const tk::Event&) {
             onQueryTextChanged(b);
             return true;
         })},
        {edit, EventKind::KeyDown, onBox([](QueryBox& b, const tk::Event& e) {
             return onQueryKeyDown(b, e.key, e.modifiers);
         })},
        {edit, EventKind::KeyUp, onBox([](QueryBox& b, const tk::Event& e) {
             onQueryKeyUp(b, e.key, e.modifiers);
             return true;
         })},
        {edit, EventKind::DoubleClicked, onBox([](QueryBox& b, const tk::Event&) {
             onQueryDoubleClicked(b);
             return true;
         })},
        {gbk("列表框"), EventKind::ItemSelected, onBox([](QueryBox& b, const tk::Event&) {
             onMatchItemSelected(b);
             return true;
         })},
    };
}

std::vector<std::string> utf8All(std::vector<std::string> texts) {
    for (std::string& text : texts) text = utf8FromGbk(text);
    return texts;
}

} // namespace

std::vector<StoredRecord> sampleRecords() {
    return {{"txt", "text file"},
            {"TMP", "temporary file"},
            {"文本", "文本文件"},
            {"doc", "document"},
            {"tar", "tape archive", true}};
}

LookupWindow::LookupWindow(const std::vector<StoredRecord>& records, Wiring wiring) {
    services.setFileSystem(files);
    const std::vector<FieldDescriptor> fields{{gbk("扩展名"), 10, 50}, {gbk("注释"), 10, 512}};
    EXPECT_TRUE(store.create("lookup.edb", fields));
    EXPECT_TRUE(store.open("lookup.edb"));
    addRecords(records);
    tk::Bindings bindings = wiring == Wiring::QueryBox ? queryBoxBindings(*this) : tk::Bindings{};
    bindings.push_back({gbk("编辑框注释"), EventKind::TextChanged, [this](const tk::Event&) {
                            noteChanges.push_back(ui.text(note));
                            return true;
                        }});
    window = ui.loadWindow(lookupForm(), std::move(bindings), std::nullopt, false);
    const auto named = [this](const char* name) {
        return tk::ControlRef{window, ui.controlNamed(window, gbk(name))};
    };
    edit = named("编辑框扩展名");
    list = named("列表框");
    note = named("编辑框注释");
    label = named("标签1");
    link = named("超级链接框网页版百科");
    matchList.bind(edit.window, edit.control, list.window, list.control);
    // Where the program leaves the cursor after opening the store.
    store.goTo(1);
}

QueryBox LookupWindow::queryBox() {
    return {ui, services, matchList, edit, note, list, label, link, helpText, linkedExtension,
            suppressNextFilter};
}

void LookupWindow::addRecords(const std::vector<StoredRecord>& records) {
    for (const StoredRecord& record : records) {
        EXPECT_TRUE(store.addRecord(gbk(record.extension), gbk(record.note)));
        if (record.marked) {
            EXPECT_TRUE(store.markDeleted());
        }
    }
}

std::vector<std::string> LookupWindow::items() const {
    std::vector<std::string> texts;
    for (int i = 0; i < ui.listCount(list); ++i) texts.push_back(ui.listItemText(list, i));
    return utf8All(texts);
}

std::vector<int> LookupWindow::itemValues() const {
    std::vector<int> values;
    for (int i = 0; i < ui.listCount(list); ++i) values.push_back(ui.listItemValue(list, i));
    return values;
}

std::string LookupWindow::editText() const { return utf8FromGbk(ui.text(edit)); }
std::string LookupWindow::noteText() const { return utf8FromGbk(ui.text(note)); }
std::string LookupWindow::labelText() const { return utf8FromGbk(ui.text(label)); }

} // namespace extdict::test
