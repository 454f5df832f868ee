#include "save_comma.h"

#include <memory>

#include "comma_delimited_format.h"
#include "safe_file_sink.h"
#include "save_prompts.h"

namespace tessaly {

bool WriteListCommaDelimited(const ListTable& list, const std::string& name, SafeFileWriter& files,
                             MessageBoxes& boxes, const WalkYield& yield) {
    if (files.PathExists(name) && !boxes.askYesNo(OverwriteQuestion(name))) return true;
    // The rows to write are those present once the question is answered: the user may have
    // changed the list while it was open.
    RowWalk walk(list, yield);
    const std::unique_ptr<SafeFile> file = files.create(name);
    SafeFileSink sink(*file);
    if (!FormatListCommaDelimited(list, sink, walk)) return false;
    sink.commit();
    return true;
}

}  // namespace tessaly
