#include "blank_split.h"

#include "written_units.h"

namespace tessaly::numbers {

namespace {

struct Group {
    TextPart span;
    std::size_t digits = 0;
};

std::vector<Group> GroupsOf(std::u16string_view text) {
    std::vector<Group> groups;
    for (std::size_t i = 0; i < text.size();) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        Group g;
        g.span.from = i;
        while (i < text.size() && !IsBlank(text[i]))
            g.digits += DigitOf(text[i++]) != 0;
        g.span.to = i;
        groups.push_back(g);
    }
    return groups;
}

// The best cover of the first groups: digits covered, parts used, and how it ends.
struct Cover {
    std::size_t digits = 0;
    std::size_t parts = 0;
    std::size_t partFrom = 0;  // the last part's first group, when `withPart`
    bool withPart = false;     // the last group ends a part (else it is dropped)
    bool betterThan(const Cover& other) const {
        return digits != other.digits ? digits > other.digits : parts < other.parts;
    }
};

}  // namespace

std::vector<TextPart> SplitAtBlanks(std::u16string_view text, const PartTest& accepts) {
    const std::vector<Group> groups = GroupsOf(text);
    const std::size_t n = groups.size();
    std::vector<Cover> best(n + 1);
    for (std::size_t end = 1; end <= n; ++end) {
        best[end] = best[end - 1];
        best[end].withPart = false;
        std::size_t digits = 0;
        for (std::size_t from = end; from-- > 0;) {
            digits += groups[from].digits;
            Cover c = best[from];
            c.digits += digits;
            c.parts += 1;
            c.partFrom = from;
            c.withPart = true;
            if (!c.betterThan(best[end])) continue;
            const TextPart part{groups[from].span.from, groups[end - 1].span.to};
            if (accepts(part, from == 0, end == n)) best[end] = c;
        }
    }
    std::vector<TextPart> parts;
    for (std::size_t end = n; end > 0;) {
        if (!best[end].withPart) {
            --end;
            continue;
        }
        const std::size_t from = best[end].partFrom;
        parts.insert(parts.begin(), TextPart{groups[from].span.from, groups[end - 1].span.to});
        end = from;
    }
    return parts;
}

}  // namespace tessaly::numbers
