#include "store_operations.h"

#include "text/encoding.h"

namespace extdict::test {
namespace {

bool writeAt(RecordStore& store, int record, int k, const std::string& text) {
    store.goTo(record);
    return store.writeField(k, text);
}

bool markAt(RecordStore& store, int record) {
    store.goTo(record);
    return store.markDeleted();
}

} // namespace

const Rows& startingRows() {
    static const Rows rows = {{"txt", "text"},
                              {"doc", "word"},
                              {gbk("文档"), std::string(300, 'w'), true},
                              {"zip", gbk("压缩")}};
    return rows;
}

const std::vector<Operation>& changingOperations() {
    static const std::vector<Operation> operations = {
        {"add", [](RecordStore& s) { return s.addRecord("new", "note"); }, false},
        {"bulk add",
         [](RecordStore& s) {
             return s.addRecords({{"a", "1"}, {gbk("文"), "2"}, {"c", std::string(600, 'c')}});
         },
         false},
        {"write extension", [](RecordStore& s) { return writeAt(s, 2, 1, "DOC"); }, false},
        {"write note", [](RecordStore& s) { return writeAt(s, 4, 2, std::string(512, 'n')); },
         false},
        {"mark deleted", [](RecordStore& s) { return markAt(s, 1); }, false},
        {"purge", [](RecordStore& s) { return s.purgeDeleted(); }, true},
        {"clear", [](RecordStore& s) { return s.clearAll(); }, true},
    };
    return operations;
}

Rows rowsAfter(const Operation& operation) {
    FaultyFileSystem files;
    makeStore(files, "x.edb", startingRows());
    RecordStore store(files);
    store.open("x.edb");
    operation.run(store);
    return rowsOf(store);
}

} // namespace extdict::test
