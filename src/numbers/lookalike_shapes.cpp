#include "lookalike_shapes.h"

#include <vector>

#include "written_units.h"

namespace tessaly::numbers {

namespace {

char16_t Lower(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? unit | 0x20 : unit;
}

bool StartsWithWord(std::u16string_view text, std::u16string_view word) {
    if (text.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (Lower(text[i]) != word[i]) return false;
    }
    return true;
}

// The length of the extension mark ("extension", "ext.", "ext", "x") `text` starts with, 0 if
// none; "x" only when a digit or a blank follows, so that a word goes on being a word.
std::size_t ExtensionMark(std::u16string_view text) {
    for (const std::u16string_view mark : {u"extension", u"ext.", u"ext", u"x"}) {
        if (!StartsWithWord(text, mark)) continue;
        const std::u16string_view rest = text.substr(mark.size());
        if (mark == u"x" && !rest.empty() && !DigitOf(rest[0]) && !IsBlank(rest[0])) return 0;
        if (!rest.empty() && IsGlue(rest[0]) && rest[0] != u'#') return 0;  // "extra", "next"
        return mark.size();
    }
    return 0;
}

// The sizes of the digit groups of `text` and the characters between them, blanks left out:
// "2024-03-15" is 4, 2, 2 with "--".
struct Groups {
    std::vector<std::size_t> sizes;
    std::u16string separators;
};

Groups SplitGroups(std::u16string_view text) {
    Groups g;
    std::size_t run = 0;
    bool inGroup = false;
    for (const char16_t unit : text) {
        if (IsBlank(unit)) continue;
        if (DigitOf(unit)) {
            ++run;
            inGroup = true;
            continue;
        }
        if (inGroup) g.sizes.push_back(run);
        g.separators.push_back(unit);
        run = 0;
        inGroup = false;
    }
    if (inGroup) g.sizes.push_back(run);
    return g;
}

// Trailing full stops end sentences, not numbers.
std::u16string_view WithoutFullStops(std::u16string_view text) {
    while (!text.empty() && (text.back() == u'.' || IsBlank(text.back())))
        text.remove_suffix(1);
    return text;
}

bool SameSeparators(const Groups& g, char16_t only) {
    return g.separators.find_first_not_of(only) == std::u16string::npos;
}

bool IsAddress(const Groups& g) {
    if (g.sizes.size() != 4 || g.separators != u"...") return false;
    for (const std::size_t size : g.sizes) {
        if (size > 3) return false;
    }
    return true;
}

bool IsDate(std::u16string_view text, const Groups& g) {
    const std::string digits = DigitsOf(text);
    if (g.sizes.size() == 2 && g.separators == u"-" && g.sizes[0] == 4 && g.sizes[1] == 4) {
        // A year range.
        const auto century = [&](std::size_t at) {
            return digits.compare(at, 2, "19") == 0 || digits.compare(at, 2, "20") == 0;
        };
        return century(0) && century(4);
    }
    if (g.sizes.size() != 3 || g.separators.size() != 2 || g.separators[0] != g.separators[1])
        return false;
    if (g.separators[0] != u'-' && g.separators[0] != u'.' && g.separators[0] != u'/') return false;
    const auto value = [&](std::size_t group) {
        std::size_t from = 0;
        for (std::size_t i = 0; i < group; ++i)
            from += g.sizes[i];
        return std::stoi(digits.substr(from, g.sizes[group]));
    };
    const auto dayAndMonth = [](int a, int b) {  // either order
        return a >= 1 && b >= 1 && ((a <= 31 && b <= 12) || (a <= 12 && b <= 31));
    };
    if (g.sizes[0] == 4 && g.sizes[1] <= 2 && g.sizes[2] <= 2)
        return dayAndMonth(value(1), value(2));
    if (g.sizes[0] <= 2 && g.sizes[1] <= 2 && (g.sizes[2] == 2 || g.sizes[2] == 4))
        return dayAndMonth(value(0), value(1));
    return false;
}

bool IsVersion(const Groups& g) {
    if (g.sizes.size() < 3 || g.sizes.size() > 4 || !SameSeparators(g, u'.')) return false;
    if (g.sizes[0] > 2) return false;
    for (std::size_t i = 1; i < g.sizes.size(); ++i) {
        if (g.sizes[i] > 3 && !(i == 2 && g.sizes.size() == 4 && g.sizes[i] <= 5)) return false;
    }
    return true;
}

bool IsBookNumber(std::u16string_view text, const Groups& g) {
    if (g.sizes.size() < 4 || !SameSeparators(g, u'-')) return false;
    const std::string d = DigitsOf(text);
    if (d.size() == 13 && (d.starts_with("978") || d.starts_with("979"))) {
        int sum = 0;
        for (std::size_t i = 0; i < 13; ++i)
            sum += (d[i] - '0') * (i % 2 ? 3 : 1);
        return sum % 10 == 0;
    }
    if (d.size() == 10) {
        int sum = 0;
        for (std::size_t i = 0; i < 10; ++i)
            sum += (d[i] - '0') * int(10 - i);
        return sum % 11 == 0;
    }
    return false;
}

bool AfterBookMark(std::u16string_view before) {
    for (std::size_t i = 0; i + 4 <= before.size(); ++i) {
        if (StartsWithWord(before.substr(i), u"isbn")) return true;
    }
    return false;
}

// `before` ends with an extension mark and blanks or a colon.
bool AfterExtensionMark(std::u16string_view before) {
    while (!before.empty() && (IsBlank(before.back()) || before.back() == u':'))
        before.remove_suffix(1);
    for (const std::u16string_view mark : {u"extension", u"ext.", u"ext", u"x"}) {
        if (before.size() < mark.size()) continue;
        const std::u16string_view end = before.substr(before.size() - mark.size());
        if (!StartsWithWord(end, mark)) continue;
        // The mark is a word of its own, not the end of one ("box", "next").
        const std::size_t at = before.size() - mark.size();
        if (at == 0 || !IsGlue(before[at - 1])) return true;
    }
    return false;
}

}  // namespace

std::string ExtensionAfter(std::u16string_view after) {
    std::size_t at = 0;
    while (at < after.size() && (IsBlank(after[at]) || after[at] == u','))
        ++at;
    std::size_t mark = ExtensionMark(after.substr(at));
    // "#12" names an extension only apart from the number: glued, it is a look-alike.
    if (!mark && at > 0 && at < after.size() && after[at] == u'#') mark = 1;
    if (!mark) return {};
    at += mark;
    while (at < after.size() && (IsBlank(after[at]) || after[at] == u':'))
        ++at;
    std::string digits;
    while (at < after.size() && DigitOf(after[at]) && digits.size() < 7)
        digits.push_back(DigitOf(after[at++]));
    if (at < after.size() && DigitOf(after[at])) return {};  // too long for an extension
    return digits;
}

// Full stops and dashes that a blank parts from the digits end a word before the number
// ("Tel. 030 ..."): they are no part of it, and it is not glued to that word.
std::u16string_view WithoutLeadingMarks(std::u16string_view text) {
    std::size_t at = 0;
    bool blank = false;
    while (at < text.size() && (text[at] == u'.' || text[at] == u'-' || IsBlank(text[at])))
        blank |= IsBlank(text[at++]);
    return blank ? text.substr(at) : text;
}

LookAlike JudgeShape(std::u16string_view text, std::u16string_view before,
                     std::u16string_view after) {
    const std::u16string_view number = WithoutLeadingMarks(text);
    const bool parted = number.size() != text.size();
    if (!parted && !before.empty() && IsGlue(before.back())) return LookAlike::kGlued;
    if (!after.empty() && IsGlue(after.front()) &&
        !(after.front() != u'#' && !ExtensionAfter(after).empty()))
        return LookAlike::kGlued;
    if (AfterExtensionMark(before)) return LookAlike::kExtension;
    if (AfterBookMark(before)) return LookAlike::kBook;
    const std::u16string_view core = WithoutFullStops(number);
    const Groups g = SplitGroups(core);
    if (IsAddress(g)) return LookAlike::kAddress;
    if (IsDate(core, g)) return LookAlike::kDate;
    if (IsVersion(g)) return LookAlike::kVersion;
    if (IsBookNumber(core, g)) return LookAlike::kBook;
    if (g.sizes.size() == 2 && g.separators == u"-" && g.sizes[0] == 5 && g.sizes[1] == 4)
        return LookAlike::kPostal;
    return LookAlike::kNone;
}

}  // namespace tessaly::numbers
