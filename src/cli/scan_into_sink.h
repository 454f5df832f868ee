#pragma once
// ScanIntoSink: the ordered scan of the inputs delivered into a sink. Each event reaches the
// sink on the calling thread, in file order, while it holds its turn on the output; a file that
// failed part-way is said when the output reaches it, noting lines of it already written. A
// sink that cannot keep what it must (the system gives no more memory) ends the scan and the
// run: nothing more is written, the output is not put in place.

#include <cstddef>

#include "extract_inputs.h"
#include "number_sink.h"
#include "output_file.h"
#include "run_report.h"
#include "scan_rules.h"

namespace tessaly::cli {

// False when the sink could not keep the numbers (said to the report).
bool ScanIntoSink(ExtractInputs& inputs, const ScanRules& rules, unsigned jobs, NumberSink& sink,
                  OutputFile& out, RunReport& report);

}  // namespace tessaly::cli
