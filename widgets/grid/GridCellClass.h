#pragma once

#include <memory>

class CGridCellBase;

// A cell class as the grid knows it at run time: its name, its base, and how to make one.
// The grid makes its cells from such a record and refuses one not derived from CGridCellBase.
struct GridCellClass {
    const char* name = "";
    const GridCellClass* base = nullptr;
    std::unique_ptr<CGridCellBase> (*create)() = nullptr; // null for an abstract class

    bool IsDerivedFrom(const GridCellClass& other) const
    {
        for (const GridCellClass* c = this; c != nullptr; c = c->base) {
            if (c == &other) return true;
        }
        return false;
    }
};
