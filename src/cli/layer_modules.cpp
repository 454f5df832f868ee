#include "layer_modules.h"

#include <dlfcn.h>
#include <sys/auxv.h>

#include <cstring>
#include <filesystem>
#include <system_error>

namespace tessaly::cli {

namespace {

// The entry of the module at `path`, checked to be this program's own.
template <typename Entry>
const Entry& OpenEntry(const std::string& path, const char* entryName) {
    // Never closed: what the module handed out (readers, stages, their exceptions' texts) may
    // be used until the process ends.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        throw LayerUnavailable(why ? why : path + ": it cannot be loaded");
    }
    const auto entry = reinterpret_cast<const Entry* (*)()>(::dlsym(handle, entryName));
    if (!entry) throw LayerUnavailable(path + ": it has no entry " + entryName);
    const Entry* table = entry();
    if (std::strcmp(table->version, TESSALY_VERSION) != 0) {
        throw LayerUnavailable(path + ": it belongs to version " + table->version + ", not " +
                               TESSALY_VERSION);
    }
    return *table;
}

}  // namespace

std::string LayerModules::Below(const std::string& prefix) {
    return prefix + "/" + TESSALY_MODULE_FOLDER;
}

std::string LayerModules::BesideProgram() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    // Without /proc (a chroot that did not mount it): the path the program was started by,
    // which the system keeps for it, its links resolved.
    if (error) {
        const auto started = reinterpret_cast<const char*>(::getauxval(AT_EXECFN));
        if (!started) return {};
        program = std::filesystem::weakly_canonical(started, error);
        if (error) return {};
    }
    return Below(program.parent_path().parent_path().string());
}

template <typename Entry>
const Entry& LayerModules::load(Module& module, const char* file, const char* entryName) {
    const std::lock_guard lock(mutex_);
    if (!module.tried) {
        module.tried = true;
        try {
            if (folder_.empty())
                throw LayerUnavailable(std::string(file) + ": the program's own folder is unknown");
            module.entry = &OpenEntry<Entry>(folder_ + "/" + file, entryName);
        } catch (const LayerUnavailable& e) {
            module.failure = e.what();
        }
    }
    if (!module.entry) throw LayerUnavailable(module.failure);
    return *static_cast<const Entry*>(module.entry);
}

const documents::DocumentReadersEntry& LayerModules::documentReaders() {
    return load<documents::DocumentReadersEntry>(
        documentReaders_, documents::kDocumentReadersModule, documents::kDocumentReadersEntry);
}

const numbers::NumberRulesEntry& LayerModules::numberRules() {
    return load<numbers::NumberRulesEntry>(numberRules_, numbers::kNumberRulesModule,
                                           numbers::kNumberRulesEntry);
}

}  // namespace tessaly::cli
