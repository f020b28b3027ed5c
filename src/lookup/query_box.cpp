#include "lookup/query_box.h"

#include "lookup/file_type_description.h"
#include "lookup/lookup_texts.h"

namespace extdict {
namespace {

void showHelp(QueryBox& box) {
    box.ui.setText(box.noteBox, box.helpText);
    box.ui.setVisible(box.listBox, false);
}

} // namespace

void onQueryTextChanged(QueryBox& box) {
    const std::string typed = box.ui.text(box.extensionBox);
    if (typed == "?") {
        showHelp(box);
        return;
    }
    box.ui.setText(box.descriptionLabel,
                   lookup_texts::descriptionCaption(fileTypeDescription(box.services, typed)));
    box.ui.setText(box.noteBox, "");
    // The link belongs to the cached extension exactly, letter case included.
    if (box.linkedExtension != typed) box.ui.setLinkTarget(box.encyclopediaLink, "");
    if (!box.suppressNextFilter) box.matchList.filter();
    box.suppressNextFilter = false;
}

bool onQueryKeyDown(QueryBox& box, int key, int modifiers) {
    return box.matchList.onKeyDown(key, modifiers);
}

void onQueryKeyUp(QueryBox& box, int key, int modifiers) {
    box.matchList.onKeyUp(key, modifiers);
}

void onQueryDoubleClicked(QueryBox& box) {
    if (!box.ui.visible(box.listBox)) box.matchList.onKeyDown(tk::key::Enter, 0);
}

void onMatchItemSelected(QueryBox& box) {
    box.matchList.choose();
}

} // namespace extdict
