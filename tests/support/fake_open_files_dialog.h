#pragma once
// An open-file dialog that answers with a set selection and records how it was asked. The
// selection is measured against the request's limit by the same rule as the real dialog.

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/open_files_dialog.h"

namespace tessaly::testing {

class FakeOpenFilesDialog : public OpenFilesDialog {
  public:
    OpenFilesChoice chooseOpenFiles(const OpenFilesRequest& request) override {
        requests.push_back(request);
        if (!failure.empty()) throw std::runtime_error(failure);
        return OpenFilesChoiceFor(folder, names, request.resultLimit);
    }

    // Picks `pickedNames` in `pickedFolder` (one name: that file).
    void pick(const std::string& pickedFolder, const std::vector<std::string>& pickedNames) {
        folder = pickedFolder;
        names = pickedNames;
    }

    std::string folder;
    std::vector<std::string> names;  // none: Cancel
    std::string failure;             // set: the dialog fails with this description
    std::vector<OpenFilesRequest> requests;
};

}  // namespace tessaly::testing
