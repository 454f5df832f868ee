#pragma once
// Records every error report instead of showing it.

#include <string>
#include <vector>

#include "platform/error_box.h"

namespace tessaly::testing {

class FakeErrorBox : public ErrorBox {
  public:
    void showErrorReport(const std::string& text) override { reports.push_back(text); }
    std::vector<std::string> reports;
};

}  // namespace tessaly::testing
