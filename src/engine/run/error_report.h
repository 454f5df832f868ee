#pragma once
// The error report: the text shown for an unexpected failure of a trapping procedure, and Trap,
// which runs such a procedure's numbered steps. A step that throws is reported with its label and
// the procedure goes on with its next step; a failure deep inside a called function skips the
// rest of that function, because the exception unwinds to the step that called it.

#include <exception>
#include <string>
#include <string_view>

#include "platform/error_box.h"

namespace tessaly {

// Description, CR LF, "in " + procedure + " ", "at line " + label, CR CR, the e-mail request.
std::string ErrorReportText(std::string_view description, std::string_view procedure, int label);

// The description of a caught exception.
std::string DescribeFailure(std::exception_ptr failure);

class Trap {
  public:
    Trap(ErrorBox& box, std::string_view procedure) : box_(box), procedure_(procedure) {}

    // Runs one labelled step. Returns false when it failed (the failure was reported).
    template <class Step>
    bool step(int label, Step&& run) {
        try {
            run();
            return true;
        } catch (...) {
            report(std::current_exception(), label);
            return false;
        }
    }

    void report(std::exception_ptr failure, int label);
    std::string_view procedure() const { return procedure_; }

  private:
    ErrorBox& box_;
    std::string_view procedure_;
};

}  // namespace tessaly
