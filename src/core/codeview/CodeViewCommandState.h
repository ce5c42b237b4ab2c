#pragma once
// Which commands of the "Code View" menu and which toolbar buttons of the view are enabled, worked
// out from a few facts about the window. The front end applies the structs to its widgets.

namespace tally {

// What the enabling rules look at.
struct CodeViewFacts {
    bool codeViewTabChosen = false;  // the "Code View" tab is the selected tab
    bool viewHasText = false;
    bool clipboardHasText = false;
    bool selectionNotEmpty = false;  // SelLength is not 0
    bool codeFileOpen = false;       // CodeFilePath is not empty
};

// The items of the "Code View" menu (also the view's context menu).
struct CodeViewMenuState {
    bool undo = false;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool selectAll = false;
    bool find = false;
    bool findNext = false;
    bool tabLeft = false;
    bool tabRight = false;
    bool comment = false;
    bool saveOrZip = false;

    bool operator==(const CodeViewMenuState&) const = default;
};

// The toolbar buttons that belong to the view, by key: "cut", "copy", "paste", "find", "tabl",
// "tabr", "comment", "savefile".
struct CodeViewToolbarState {
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool find = false;
    bool tabl = false;
    bool tabr = false;
    bool comment = false;
    bool savefile = false;

    bool operator==(const CodeViewToolbarState&) const = default;
};

// The menu as it opens.
CodeViewMenuState codeViewMenuState(const CodeViewFacts& facts);
// The buttons after a tab of the main tab strip is chosen.
CodeViewToolbarState codeViewToolbarState(const CodeViewFacts& facts);
// The buttons after the view's selection changed: the ones that act on a selection follow it.
void followSelection(CodeViewToolbarState& state, bool selectionNotEmpty);
// The buttons after Copy: "copy" follows the clipboard.
void followClipboard(CodeViewToolbarState& state, bool clipboardHasText);

}  // namespace tally
