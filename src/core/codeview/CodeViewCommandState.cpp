#include "core/codeview/CodeViewCommandState.h"

namespace tally {

CodeViewMenuState codeViewMenuState(const CodeViewFacts& facts) {
    CodeViewMenuState state;
    state.saveOrZip = facts.codeFileOpen;
    if (!facts.codeViewTabChosen) {
        // From the other tabs only the commands that act on the view's own selection stay usable.
        state.cut = facts.selectionNotEmpty;
        state.copy = facts.selectionNotEmpty;
        return state;
    }
    state.undo = facts.viewHasText;
    state.selectAll = facts.viewHasText;
    state.find = facts.viewHasText;
    state.findNext = facts.viewHasText;
    state.paste = facts.clipboardHasText;
    state.cut = facts.selectionNotEmpty;
    state.copy = facts.selectionNotEmpty;
    state.tabLeft = facts.selectionNotEmpty;
    state.tabRight = facts.selectionNotEmpty;
    state.comment = facts.selectionNotEmpty;
    return state;
}

CodeViewToolbarState codeViewToolbarState(const CodeViewFacts& facts) {
    CodeViewToolbarState state;
    if (!facts.codeViewTabChosen) return state;
    state.cut = facts.viewHasText;
    state.paste = facts.viewHasText;
    state.find = facts.viewHasText;
    state.savefile = facts.viewHasText;
    state.copy = facts.clipboardHasText;
    state.tabl = facts.selectionNotEmpty;
    state.tabr = facts.selectionNotEmpty;
    state.comment = facts.selectionNotEmpty;
    return state;
}

void followSelection(CodeViewToolbarState& state, bool selectionNotEmpty) {
    state.cut = selectionNotEmpty;
    state.copy = selectionNotEmpty;
    state.tabl = selectionNotEmpty;
    state.tabr = selectionNotEmpty;
    state.comment = selectionNotEmpty;
}

void followClipboard(CodeViewToolbarState& state, bool clipboardHasText) {
    state.copy = clipboardHasText;
}

}  // namespace tally
