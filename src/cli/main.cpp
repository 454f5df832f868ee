// tessaly-extract: the extraction engine on the command line, for batch use and scripts.

#include <csignal>
#include <string_view>
#include <vector>

#include "extract_command.h"

int main(int argc, char** argv) {
    // A closed pipe, or a file grown to the size limit set for this process, is reported as a
    // failed write, not a silent death that would leave a half-written file behind.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string_view> args(argv + 1, argv + argc);
    return tessaly::cli::ExtractMain(args);
}
