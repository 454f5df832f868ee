#include "error_report.h"

#include <new>
#include <stdexcept>

#include "product.h"

namespace tessaly {

std::string ErrorReportText(std::string_view description, std::string_view procedure, int label) {
    std::string text(description);
    text += "\r\n";
    text += "in ";
    text += procedure;
    text += " ";
    text += "at line ";
    text += std::to_string(label);
    text += "\r\r";
    text += "Please email screenshot of this message to ";
    text += kSupportAddress;
    return text;
}

std::string DescribeFailure(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return "Out of memory";
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unexpected failure";
    }
}

void Trap::report(std::exception_ptr failure, int label) {
    box_.showErrorReport(ErrorReportText(DescribeFailure(failure), procedure_, label));
}

}  // namespace tessaly
