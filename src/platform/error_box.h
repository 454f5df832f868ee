#pragma once
// ErrorBox: shows the error report: a modal box titled "Application Error" with the exclamation
// icon and only an OK button; returns when the user has closed it.

#include <string>
#include <string_view>

namespace tessaly {

inline constexpr std::string_view kErrorReportTitle = "Application Error";

class ErrorBox {
  public:
    virtual ~ErrorBox() = default;
    virtual void showErrorReport(const std::string& text) = 0;
};

}  // namespace tessaly
