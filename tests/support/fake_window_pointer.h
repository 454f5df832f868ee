#pragma once
// A window pointer that remembers its value and every change.

#include <vector>

#include "platform/window_pointer.h"

namespace tessaly::testing {

class FakeWindowPointer : public WindowPointer {
  public:
    int pointer() const override { return value; }
    void setPointer(int v) override {
        value = v;
        history.push_back(v);
    }

    int value = kDefaultPointer;
    std::vector<int> history;
};

}  // namespace tessaly::testing
