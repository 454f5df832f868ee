#include "sample_files.h"

#include <optional>
#include <vector>

#include "error_report.h"
#include "folder_walk.h"
#include "paced_yield.h"
#include "path_rules.h"
#include "record_scrambler.h"

namespace tessaly {

namespace {

std::vector<std::string> SplitRecord(std::string_view record) {
    std::vector<std::string> paths;
    if (record.empty()) return paths;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = record.find(kRecordSeparator, start);
        paths.emplace_back(record.substr(start, bar - start));
        if (bar == std::string_view::npos) return paths;
        start = bar + 1;
    }
}

}  // namespace

bool IsInList(const InputList& list, std::string_view text) {
    bool found = false;
    for (const std::string& row : list.rows())
        found = found || row == text;
    return found;
}

SampleFiles::SampleFiles(std::string dataFolder, const SampleServices& services)
    : dataFolder_(std::move(dataFolder)), services_(services) {}

std::string SampleFiles::sampleFolder() const {
    return JoinPath(dataFolder_, kSampleFolderName) + kPathSeparator;
}

void SampleFiles::RecordSampleFiles() {
    const std::string folder = JoinPath(dataFolder_, kSampleFolderName);
    std::string record;
    for (const std::string& name : ListFilesInFolder(services_.files, folder, "*.*")) {
        if (!record.empty()) record += kRecordSeparator;
        record += JoinPath(folder, name);
    }
    PacedYield yield(services_.eventLoop, services_.pacing);
    const std::string scrambled = ScrambleText(record, kRecordKey, &yield);
    if (yield.stopped()) return;
    services_.settings.write(kSnapshotKey, CodesToStoredText(scrambled));
}

void SampleFiles::LoadSampleFiles(InputList& list) {
    // A stored text that no record of ours could have become names no file.
    const std::optional<std::string> codes =
        StoredTextToCodes(services_.settings.readOr(kSnapshotKey, ""));
    PacedYield yield(services_.eventLoop, services_.pacing);
    const std::string record = codes ? UnscrambleText(*codes, kRecordKey, &yield) : std::string();
    if (yield.stopped()) return;

    for (const std::string& path : SplitRecord(record)) {
        if (services_.files.pathExists(path) && !IsInList(list, path)) list.append(path);
    }
    if (services_.messageBoxes.askYesNo(std::string(kOpenSampleFolderQuestion))) {
        // Whether the file manager came up is not the program's concern.
        services_.shell.openFolder(sampleFolder());
    }
}

void SampleFiles::load(InputList& list, OptionsModel& options) {
    Trap trap(services_.errorBox, kProcedure);
    trap.step(kLoad, [&] { LoadSampleFiles(list); });
    trap.step(kLoad, [&] { options.setLengthBox(kSampleLengthBox, kTicked); });
}

}  // namespace tessaly
