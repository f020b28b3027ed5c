#include "exchange/export.h"

#include <string_view>

#include "exchange/exchange_texts.h"

namespace extdict {
namespace {

struct Separators {
    std::string_view record;
    std::string_view field;
};

Separators separatorsOf(ExportLayout layout) {
    if (layout == ExportLayout::Readable) return {"\r\n\r\n", "\r\n"};
    return {";;;", ",,,"};
}

template <typename Visit> void forEachVisibleRecord(const RecordStore& store, Visit visit) {
    const int count = store.recordCount();
    for (int record = 1; record <= count; ++record)
        if (!store.isDeletedAt(record))
            visit(store.fieldView(record, 1), store.fieldView(record, 2));
}

std::size_t exportSize(const RecordStore& store, Separators separators) {
    std::size_t size = 0;
    forEachVisibleRecord(store, [&](std::string_view extension, std::string_view note) {
        size += separators.record.size() + extension.size() + separators.field.size() + note.size();
    });
    return size;
}

} // namespace

std::string buildExportText(const RecordStore& store, ExportLayout layout) {
    const Separators separators = separatorsOf(layout);
    std::string text;
    text.reserve(exportSize(store, separators));
    forEachVisibleRecord(store, [&](std::string_view extension, std::string_view note) {
        if (!text.empty()) text += separators.record;
        text += extension;
        text += separators.field;
        text += note;
    });
    return text;
}

void exportRecords(const ExportContext& context) {
    const tk::Answer answer =
        context.ui.messageBox(exchange_texts::exportQuestion(), tk::MessageIcon::Question,
                              tk::MessageButtons::YesNoCancel);
    if (answer != tk::Answer::Yes && answer != tk::Answer::No) return;
    const int current = context.store.currentRecord();
    const std::string text = buildExportText(
        context.store, answer == tk::Answer::Yes ? ExportLayout::Readable : ExportLayout::Exchange);
    const bool copied = context.services.setClipboardText(text);
    context.store.goTo(current);
    if (copied)
        context.ui.messageBox(exchange_texts::exportDone(), tk::MessageIcon::Information,
                              tk::MessageButtons::Ok);
    else
        context.ui.messageBox(exchange_texts::clipboardUnwritable(), tk::MessageIcon::Warning,
                              tk::MessageButtons::Ok);
}

} // namespace extdict
