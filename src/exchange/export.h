#pragma once
// Export: every record the user can see, as one text on the clipboard, in the readable
// layout (for people) or the exchange layout (for the import).

#include <string>

#include "store/record_store.h"
#include "toolkit/services.h"
#include "toolkit/toolkit.h"

namespace extdict {

enum class ExportLayout { Readable, Exchange };

// Readable: extension CR LF note, records apart by CR LF CR LF. Exchange: extension ",,,"
// note, records apart by ";;;". Records marked deleted are left out; the cursor is not moved.
std::string buildExportText(const RecordStore& store, ExportLayout layout);

struct ExportContext {
    tk::Toolkit& ui;
    Services& services;
    RecordStore& store;
};

// Asks for the layout, copies the text to the clipboard and says how that went.
void exportRecords(const ExportContext& context);

} // namespace extdict
