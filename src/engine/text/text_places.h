#pragma once
// Where text stands in a document, as its user finds it there: "page 3", "sheet Sales, cell
// B7", "slide 4", "footnote 2", "attachment report.docx", or nothing (the body of a text, and
// every plain text file). A document's reader marks where in the text it hands over each place
// begins (TextPlaces); the file scan walks the text a stretch at a time between the marks
// (WalkPlaces), so each number read carries the place it was read in (NumberPlaces). Readers
// mark a place only after a character that ends any number (a tab, a line break, a form feed),
// so no number straddles two places.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// The text from byte `at` of the text read on stands at `where` (empty: at no place to name).
struct TextPlace {
    std::size_t at = 0;
    std::string where;
};
using TextPlaces = std::vector<TextPlace>;

// Hands `text` to stretch(part) a stretch at a time, with place(where) at each place marked in
// it, in their order.
template <class Stretch, class Place>
void WalkPlaces(std::string_view text, const TextPlaces& places, Stretch&& stretch, Place&& place) {
    std::size_t from = 0;
    for (const TextPlace& mark : places) {
        const std::size_t at = std::clamp(mark.at, from, text.size());
        if (at > from) stretch(text.substr(from, at - from));
        place(std::string_view(mark.where));
        from = at;
    }
    if (from < text.size()) stretch(text.substr(from));
}

// Where the numbers of a batch stand: those from runs[i].first up to the next run's first (or
// the end) stand at runs[i].where.
struct NumberPlaces {
    struct Run {
        std::size_t first = 0;
        std::string where;
    };
    std::vector<Run> runs;

    // The numbers from `first` on stand at `where`.
    void enter(std::size_t first, std::string_view where) {
        if (!runs.empty() && runs.back().first == first) runs.pop_back();
        if (!runs.empty() && runs.back().where == where) return;
        runs.push_back({first, std::string(where)});
    }
    void clear() { runs.clear(); }
};

}  // namespace tessaly
