#pragma once
// ScanIntoSink: the ordered scan of the inputs delivered into a sink. Each event reaches the
// sink on the calling thread, in file order, while it holds its turn on the output; a file that
// failed part-way is said when the output reaches it, noting lines of it already written. A
// sink that cannot keep what it must (the system gives no more memory) ends the scan and the
// run: nothing more is written, the output is not put in place.

#include <cstddef>
#include <functional>
#include <vector>

#include "extract_inputs.h"
#include "number_sink.h"
#include "output_file.h"
#include "run_report.h"
#include "scan_rules.h"

namespace tessaly::cli {

// Rewrites a piece's numbers read as written before the sink takes them, on the scanning
// thread (several at once): the number options' stage.
using NumberRefiner = std::function<void(std::vector<WrittenNumber>& numbers)>;

// False when the sink could not keep the numbers (said to the report).
bool ScanIntoSink(ExtractInputs& inputs, const ScanRules& rules, unsigned jobs, NumberSink& sink,
                  OutputFile& out, RunReport& report, const NumberRefiner& refine = {});

}  // namespace tessaly::cli
