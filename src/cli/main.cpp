// tessaly-extract: the extraction engine on the command line, for batch use and scripts.

#include <csignal>
#include <string_view>
#include <vector>

#include "extract_command.h"
#include "interrupt_cleanup.h"

int main(int argc, char** argv) {
    // A closed pipe, or a file grown to the size limit set for this process, shows as a failed
    // write, not a silent death that would leave a half-written file behind: the extraction
    // stops quietly for a reader that left, and reports the size limit.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    tessaly::cli::InstallInterruptCleanup();
    std::vector<std::string_view> args(argv + 1, argv + argc);
    // The document readers and the number rules are modules beside the program, loaded when
    // a run first needs them.
    return tessaly::cli::ExtractMain(args, tessaly::cli::LayerModules::BesideProgram());
}
