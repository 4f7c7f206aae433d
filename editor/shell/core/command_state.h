#pragma once
// What the enabling rules look at, taken as one snapshot when a menu opens. The areas
// that own the lists fill it through a CommandStateProvider; until an area is present its
// part reads as empty and idle.
#include <functional>

namespace editor {

// One list's part: not empty, number of selected entries, busy (being filled, laid out
// or cleared).
struct ListState {
    bool notEmpty = false;
    int selected = 0;
    bool busy = false;
};

struct CommandState {
    int tab = 1;              // active tab: 1 explorer, 2 show, 3 album
    ListState explorer;       // E, e, bE
    bool showOpen = false;    // S
    ListState slides;         // L, s, bS
    bool albumOpen = false;   // A
    ListState album;          // M, a, bA
    bool pendingPaste = false; // P: a cut or copy waits with at least one file
    bool apercu = true;       // the quick preview is switched on
};

class CommandStateProvider {
public:
    std::function<ListState()> explorer;
    std::function<ListState()> slides;
    std::function<ListState()> album;
    std::function<bool()> showOpen;
    std::function<bool()> albumOpen;
    std::function<bool()> pendingPaste;

    CommandState snapshot(int activeTab, bool apercu) const
    {
        CommandState state;
        state.tab = activeTab;
        state.explorer = explorer ? explorer() : ListState{};
        state.slides = slides ? slides() : ListState{};
        state.album = album ? album() : ListState{};
        state.showOpen = showOpen && showOpen();
        state.albumOpen = albumOpen && albumOpen();
        state.pendingPaste = pendingPaste && pendingPaste();
        state.apercu = apercu;
        return state;
    }
};

} // namespace editor
