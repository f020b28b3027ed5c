#pragma once
// A small window with the lookup's controls on the headless toolkit, a store in memory and the
// match list bound to them; optionally wired to the query box's handlers as the program does.

#include <string>
#include <utility>
#include <vector>

#include "lookup/match_list.h"
#include "lookup/query_box.h"
#include "store/record_store.h"
#include "support/faulty_file_system.h"
#include "text/encoding.h"
#include "toolkit/headless/headless_services.h"
#include "toolkit/headless/headless_toolkit.h"

namespace extdict::test {

struct StoredRecord {
    const char* extension;  // UTF-8
    const char* note;       // UTF-8
    bool marked = false;
};

// The fixture's records by default: 1 'txt', 2 'TMP', 3 '文本', 4 'doc', 5 'tar' marked.
std::vector<StoredRecord> sampleRecords();

class LookupWindow {
public:
    enum class Wiring { QueryBox, None };
    explicit LookupWindow(const std::vector<StoredRecord>& records = sampleRecords(),
                          Wiring wiring = Wiring::QueryBox);

    QueryBox queryBox();
    void addRecords(const std::vector<StoredRecord>& records);

    // What the user sees, UTF-8.
    std::vector<std::string> items() const;
    std::vector<int> itemValues() const;
    std::string editText() const;
    std::string noteText() const;
    std::string labelText() const;
    bool listShown() const { return ui.visible(list); }
    int selection() const { return ui.listSelection(list); }

    FaultyFileSystem files;
    HeadlessServices services;
    HeadlessToolkit ui{services};
    RecordStore store{files};
    MatchList matchList{ui, store, gbk("编辑框注释")};
    std::string helpText = gbk("帮助文字");
    std::string linkedExtension;
    bool suppressNextFilter = false;
    // Every change of the note box's text, GBK, in order.
    std::vector<std::string> noteChanges;

    tk::WindowId window = 0;
    tk::ControlRef edit, list, note, label, link;
};

} // namespace extdict::test
