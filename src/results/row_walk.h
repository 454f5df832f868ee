#pragma once
// RowWalk: paces a walk over a list's rows. Before each row or cell it reads, the walk asks
// pass(), which hands control to the window's event loop once enough time has gone by, so the
// window stays usable on millions of rows. While it yields the user may remove rows; the walk
// then fails instead of reading rows that moved.

#include <cstdint>
#include <functional>
#include <optional>

#include "list_table.h"
#include "platform/event_loop.h"
#include "yield_pacer.h"

namespace tessaly {

// How a walk yields: to `loop` (none: never), paced by `pacing`; `resumed` runs after every
// pass of the loop, e.g. to put the busy pointer back.
struct WalkYield {
    EventLoop* loop = nullptr;
    Pacing pacing;
    std::function<void()> resumed;
};

class RowWalk {
  public:
    // Starts the walk: the list as it stands now is the one to read.
    RowWalk(const ListTable& list, WalkYield yield);

    // False when the window is closing: the walk must stop where it stands. Throws
    // std::runtime_error when rows were removed or replaced while it yielded.
    bool pass();

  private:
    const ListTable& list_;
    WalkYield yield_;
    std::optional<YieldPacer> pacer_;
    std::uint64_t generation_;
};

}  // namespace tessaly
