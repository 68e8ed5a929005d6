#pragma once

#include "platform/ui/Dialog.h"

// What the byte and the word map pages share: the map template, the reading of a map at
// start-up and the trace points while the page is on top. The grid and the reading itself
// come with the grid control; for now a page holds its place in the tab control.
class CMapPage : public ui::Dialog {
public:
    struct TracePoint {
        int x = -1;
        int y = -1;
    };

    // Reads the map of data item `index` (counted from 0): 0 on success, -1 after a link failure.
    virtual int InitMap(int index);
    // The live data's first two words.
    void ShowTracePoint(int x, int y);
    TracePoint LastTracePoint() const { return m_lastTrace; }

protected:
    CMapPage();

private:
    TracePoint m_lastTrace;
};
