#include "save_list.h"

#include <memory>

#include "safe_file_sink.h"
#include "text_table_format.h"

namespace tessaly {

bool WriteListAsText(const ListTable& list, const std::string& name, SafeFileWriter& files,
                     const WalkYield& yield) {
    RowWalk walk(list, yield);
    const std::optional<TextTableLayout> layout = MeasureTextTable(list, walk);
    if (!layout) return false;
    const std::unique_ptr<SafeFile> file = files.create(name);
    SafeFileSink sink(*file);
    if (!WriteTextTable(list, *layout, sink, walk)) return false;
    sink.commit();
    return true;
}

}  // namespace tessaly
