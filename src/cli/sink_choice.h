#pragma once
// The sink that writes what the command line asks for (number_sink.h).

#include <memory>

#include "command_line.h"
#include "number_sink.h"
#include "output_file.h"

namespace tessaly::cli {

std::unique_ptr<NumberSink> MakeSink(const ExtractArguments& arguments, OutputFile& out);

}  // namespace tessaly::cli
