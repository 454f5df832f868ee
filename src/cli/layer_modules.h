#pragma once
// LayerModules: the layers the extractor loads only when a run first needs them, each a module
// in one folder (lib/<architecture>/tessaly beside the program's folder) with the libraries it
// links: the document readers (document_readers_entry.h), when a file's content is a
// document's, and the number rules (number_rules_entry.h), when a number option is given. A run
// over text files with no number option loads neither, and starts as fast as a program linking
// only the C and C++ runtimes. Each module is loaded once, by whichever thread asks first, and
// stays loaded; one that cannot be loaded fails every ask with the same reason.

#include <mutex>
#include <stdexcept>
#include <string>

#include "document_readers_entry.h"
#include "number_rules_entry.h"

namespace tessaly::cli {

// A module that cannot be loaded. what(): its path and why.
class LayerUnavailable : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class LayerModules {
  public:
    // `folder`: where the modules are.
    explicit LayerModules(std::string folder) : folder_(std::move(folder)) {}
    LayerModules(const LayerModules&) = delete;
    LayerModules& operator=(const LayerModules&) = delete;

    // The modules' folder below `prefix` (/usr for /usr/lib/<architecture>/tessaly).
    static std::string Below(const std::string& prefix);
    // Below the parent of the running program's folder; empty when the system does not tell
    // where the program is (neither /proc nor the path it was started by).
    static std::string BesideProgram();

    // Throw LayerUnavailable.
    const documents::DocumentReadersEntry& documentReaders();
    const numbers::NumberRulesEntry& numberRules();

  private:
    struct Module {
        bool tried = false;
        const void* entry = nullptr;
        std::string failure;
    };
    template <typename Entry>
    const Entry& load(Module& module, const char* file, const char* entryName);

    std::string folder_;
    std::mutex mutex_;
    Module documentReaders_;
    Module numberRules_;
};

}  // namespace tessaly::cli
