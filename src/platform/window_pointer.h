#pragma once
// WindowPointer: the one pointer setting of the main window. Long commands show the busy
// pointer; hover rules never replace it.

namespace tessaly {

enum PointerValue : int {
    kDefaultPointer = 0,
    kArrowPointer = 1,
    kBusyPointer = 11,
    kCustomPointer = 99
};

class WindowPointer {
  public:
    virtual ~WindowPointer() = default;
    virtual int pointer() const = 0;
    virtual void setPointer(int value) = 0;
    bool isBusy() const { return pointer() == kBusyPointer; }
};

}  // namespace tessaly
