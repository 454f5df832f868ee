#include "extract_command.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <thread>

#include "documents_on_demand.h"
#include "extract_inputs.h"
#include "number_stage_pool.h"
#include "output_file.h"
#include "own_output.h"
#include "product.h"
#include "scan_into_sink.h"
#include "sink_choice.h"
#include "terminal_safe_text.h"

namespace tessaly::cli {

int RunExtract(const ExtractArguments& arguments, LayerModules& modules, RunReport& report) {
    // A number option needs the number rules: without them nothing is made or read.
    const numbers::NumberRulesEntry* numberRules = nullptr;
    if (arguments.numbers.active()) {
        try {
            numberRules = &modules.numberRules();
        } catch (const LayerUnavailable& e) {
            report.failure(std::string("the number rules could not be loaded: ") + e.what());
            return report.exitStatus(false);
        }
    }
    // Before the output is made: replacing an input with the numbers read from it loses it.
    const std::optional<FileIdentity> target = OutputTarget(arguments.output);
    if (target) {
        if (std::optional<std::string> both = NamedInputThatIs(arguments, *target)) {
            report.failure(BothInputAndOutput(*both));
            return report.exitStatus(false);
        }
    }
    std::unique_ptr<OutputFile> out;
    std::unique_ptr<ExtractInputs> inputs;
    try {
        out = arguments.output ? std::make_unique<OutputFile>(*arguments.output)
                               : std::make_unique<OutputFile>();
        inputs = std::make_unique<ExtractInputs>(arguments, out->identities(), target, report);
    } catch (const std::exception& e) {
        report.failure(e.what());
        return report.exitStatus(false);
    }
    report.beforeSaying([&out] { out->flush(); });
    const std::unique_ptr<NumberSink> sink = MakeSink(arguments, *out);
    const unsigned jobs =
        arguments.jobs ? arguments.jobs : std::max(1u, std::thread::hardware_concurrency());
    // Documents are read as documents; a file that is not text is skipped, unless --binary
    // reads it as 8-bit text.
    const DocumentsOnDemand documentReader(modules, {.readBinary = arguments.readBinary});
    ScanRules rules = arguments.rules;
    rules.documents = &documentReader;
    rules.digitLines = sink->takesDigitLines();
    // The number options judge each piece on the worker that scanned it.
    std::optional<NumberStagePool> stages;
    NumberRefiner refine;
    if (numberRules) {
        stages.emplace(*numberRules, arguments.numbers);
        refine = [&stages](std::vector<WrittenNumber>& numbers) { stages->refine(numbers); };
    }
    const bool kept = ScanIntoSink(*inputs, rules, jobs, *sink, *out, report, refine);
    report.beforeSaying({});
    // A listed input that is the output ended the list: the output is not put in place.
    if (const std::optional<std::string>& both = inputs->listedOutput()) {
        report.failure(BothInputAndOutput(*both));
        return report.exitStatus(sink->wroteNumber());
    }
    // What could not be kept is not put in place: an earlier file stays as it was.
    if (kept) {
        if (std::string error = out->commit(); !error.empty()) report.failure(error);
    }
    return report.exitStatus(sink->wroteNumber());
}

int ExtractMain(const std::vector<std::string_view>& args, const std::string& moduleFolder) {
    LayerModules modules(moduleFolder);
    const ParseOutcome parsed = ParseExtractArguments(args, modules);
    if (!parsed.arguments) {
        // The reason alone: the whole usage would bury it.
        std::fprintf(stderr, "tessaly-extract: %s\nTry 'tessaly-extract --help'.\n",
                     TerminalSafeText(parsed.error).c_str());
        return 2;
    }
    if (parsed.arguments->help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (parsed.arguments->version) {
        std::printf("tessaly-extract %.*s\n", int(kProductVersion.size()), kProductVersion.data());
        return 0;
    }
    RunReport report([](const std::string& message) {
        std::fprintf(stderr, "tessaly-extract: %s\n", TerminalSafeText(message).c_str());
    });
    return RunExtract(*parsed.arguments, modules, report);
}

}  // namespace tessaly::cli
