// What the benchmarks share: the largest chain of a window, the one whose Enter rewrites the
// most fields.
#pragma once

#include "framework/app.h"
#include "framework/host.h"
#include "framework/window.h"
#include "windows/catalog.h"

#include <string>
#include <vector>

namespace mezura::bench {

struct LargestChain {
    std::string field; // "txtI1"
    int rewritten = 0; // fields other than the typed one that Enter writes
};

// Tries "1" and Enter in every typing field of the window, each in a program of its own.
inline LargestChain largestChain(const WindowRow& row)
{
    LargestChain largest;
    for (std::size_t typed = 0;; ++typed) {
        QuietHost host{2026};
        App app(host, windowTable());
        ConversionWindow& window = app.window(row);
        const std::vector<FieldSpec>& fields = window.layout().fields;
        if (typed >= fields.size()) {
            return largest;
        }
        if (!fields[typed].typing) {
            continue;
        }
        const int index = static_cast<int>(typed);
        window.typeText(index, "1");
        window.keyPress(index, 13);
        int rewritten = 0;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            rewritten += i != typed && !window.text(static_cast<int>(i)).empty() ? 1 : 0;
        }
        if (rewritten > largest.rewritten) {
            largest = {fields[typed].name, rewritten};
        }
    }
}

} // namespace mezura::bench
