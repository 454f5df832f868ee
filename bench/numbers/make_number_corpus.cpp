// A labelled corpus for the number options: lines of prose holding telephone numbers of the
// US, Great Britain, Germany and France in the forms people write them, mixed with digits
// that are something else (dates, IP addresses, prices, versions, invoice and order numbers,
// ISBNs, ZIP+4 codes, year ranges). Every number is checked valid by the number rules before
// it is written, so the truth holds real-format numbers only.
//
// Usage: make_number_corpus OUT_DIR FILES BYTES_PER_FILE [SEED]
// Writes OUT_DIR/docN.txt and OUT_DIR/truth.tsv: PATH, LINE, +E164, COUNTRY, TEXT for every
// number, tab-separated, in file and line order.

#include <phonenumbers/phonenumberutil.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

namespace {

std::mt19937_64 rng;

int Pick(int n) {
    return int(rng() % std::uint64_t(n));
}
template <class T>
const T& PickOf(const std::vector<T>& items) {
    return items[std::size_t(Pick(int(items.size())))];
}
std::string Digits(int n, bool nonZeroFirst = false) {
    std::string d;
    for (int i = 0; i < n; ++i)
        d += char('0' + (i == 0 && nonZeroFirst ? 2 + Pick(8) : Pick(10)));
    return d;
}

struct Written {
    std::string text;
    std::string e164;
    std::string country;
};

bool Valid(const std::string& e164) {
    const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
    PhoneNumber n;
    return util.Parse(e164, "ZZ", &n) == PhoneNumberUtil::NO_PARSING_ERROR && util.IsValidNumber(n);
}

Written UnitedStates() {
    static const std::vector<std::string> areas = {"212", "213", "312", "415", "617", "202", "305",
                                                   "404", "512", "646", "718", "303", "206", "702",
                                                   "214", "713", "602", "919", "800", "888", "877"};
    const std::string a = PickOf(areas);
    std::string e = Digits(3, true);
    if (e[1] == '1' && e[2] == '1') e[2] = '2';
    const std::string s = Digits(4);
    const std::string ext = std::to_string(1 + Pick(999));
    const std::vector<std::string> forms = {
        a + "-" + e + "-" + s,         "(" + a + ") " + e + "-" + s,
        "+1 " + a + " " + e + " " + s, "1-" + a + "-" + e + "-" + s,
        a + "." + e + "." + s,         "+1 (" + a + ") " + e + "-" + s,
        a + " " + e + " " + s,         a + "-" + e + "-" + s + " ext. " + ext,
        "(" + a + ")" + e + "-" + s,   "+1-" + a + "-" + e + "-" + s};
    return {PickOf(forms), "+1" + a + e + s, "US"};
}

Written GreatBritain() {
    std::string area, local;
    switch (Pick(4)) {
        case 0:
            area = "20";
            local = std::string(1, "378"[Pick(3)]) + Digits(7);
            break;
        case 1:
            area = "121";
            local = Digits(7, true);
            break;
        case 2:
            area = "161";
            local = Digits(7, true);
            break;
        default:
            area = "7" + std::string(1, "4579"[Pick(4)]) + Digits(2);
            local = Digits(6);
            break;
    }
    const bool london = area == "20";
    const std::string head = london ? local.substr(0, 4) : local.substr(0, 3);
    const std::string tail = london ? local.substr(4) : local.substr(3);
    const std::vector<std::string> forms = {
        "0" + area + " " + head + " " + tail,       "+44 " + area + " " + head + " " + tail,
        "+44 (0)" + area + " " + head + " " + tail, "0044 " + area + " " + head + " " + tail,
        "(0" + area + ") " + head + " " + tail,     "0" + area + " " + local};
    return {PickOf(forms), "+44" + area + local, "GB"};
}

Written Germany() {
    std::string area, local;
    switch (Pick(4)) {
        case 0:
            area = "30";
            local = Digits(1 + 6 + Pick(2), true);
            break;
        case 1:
            area = "89";
            local = Digits(7, true);
            break;
        case 2:
            area = "40";
            local = Digits(7, true);
            break;
        default:
            area = "15" + std::string(1, "1279"[Pick(4)]);
            local = Digits(8, true);
            break;
    }
    const std::vector<std::string> forms = {
        "0" + area + " " + local,    "(0" + area + ") " + local,   "0" + area + "-" + local,
        "+49 " + area + " " + local, "0049 " + area + " " + local, "+49 (0)" + area + " " + local,
        "0" + area + "/" + local};
    return {PickOf(forms), "+49" + area + local, "DE"};
}

Written France() {
    const std::string first(1, "1234569"[Pick(7)]);
    const std::string rest = Digits(8);
    auto grouped = [&](const std::string& sep) {
        std::string s = first;
        for (int i = 0; i < 8; i += 2)
            s += sep + rest.substr(std::size_t(i), 2);
        return s;
    };
    const std::vector<std::string> forms = {"0" + grouped(" "),    "0" + grouped("."),
                                            "+33 " + grouped(" "), "0033 " + grouped(" "),
                                            "0" + grouped("-"),    "+33 (0)" + grouped(" ")};
    return {PickOf(forms), "+33" + first + rest, "FR"};
}

Written Number() {
    for (;;) {
        const int which = Pick(10);
        Written w = which < 4   ? UnitedStates()
                    : which < 6 ? GreatBritain()
                    : which < 8 ? Germany()
                                : France();
        if (Valid(w.e164)) return w;
    }
}

std::string TwoDigits(int n) {
    std::string s = std::to_string(n);
    if (s.size() < 2) s.insert(s.begin(), '0');
    return s;
}

// Digits that are no telephone number.
std::string LookAlike() {
    const int year = 1990 + Pick(36), month = 1 + Pick(12), day = 1 + Pick(28);
    switch (Pick(14)) {
        case 0:
            return std::to_string(year) + "-" + TwoDigits(month) + "-" + TwoDigits(day);
        case 1:
            return TwoDigits(day) + "." + TwoDigits(month) + "." + std::to_string(year);
        case 2:
            return TwoDigits(month) + "/" + TwoDigits(day) + "/" + std::to_string(year);
        case 3:
            return std::to_string(1 + Pick(223)) + "." + std::to_string(Pick(256)) + "." +
                   std::to_string(Pick(256)) + "." + std::to_string(1 + Pick(254));
        case 4:
            return "$" + std::to_string(1 + Pick(9)) + "," + Digits(3) + "." + Digits(2);
        case 5:
            return "EUR " + std::to_string(10 + Pick(990)) + "," + Digits(2);
        case 6:
            return "v" + std::to_string(Pick(20)) + "." + std::to_string(Pick(30)) + "." +
                   std::to_string(Pick(100));
        case 7:
            return "version 10.0." + std::to_string(10000 + Pick(90000)) + "." +
                   std::to_string(Pick(2000));
        case 8:
            return "INV-" + std::to_string(year) + "-" + Digits(6);
        case 9:
            return "Order #" + Digits(10, true);
        case 10: {
            // An ISBN-13 with a sound check digit.
            std::string d = "978" + Digits(9);
            int sum = 0;
            for (std::size_t i = 0; i < 12; ++i)
                sum += (d[i] - '0') * (i % 2 ? 3 : 1);
            d += char('0' + (10 - sum % 10) % 10);
            return "ISBN " + d.substr(0, 3) + "-" + d.substr(3, 1) + "-" + d.substr(4, 2) + "-" +
                   d.substr(6, 6) + "-" + d.substr(12);
        }
        case 11:
            return "CA " + Digits(5, true) + "-" + Digits(4);
        case 12:
            return std::to_string(year) + "-" + std::to_string(year + 1 + Pick(9));
        default:
            return "SKU " + Digits(4, true) + "/" + Digits(6);
    }
}

const std::vector<std::string> kOpenings = {
    "Please call", "Our office:",         "Contact",    "Phone",
    "Tel.",        "Reach the desk at",   "Fax",        "For support dial",
    "Mobile:",     "Weitere Infos unter", "Appelez le", "Ring us on"};
const std::vector<std::string> kFillers = {
    "before Friday",   "during office hours",  "if the parcel is late",
    "for the invoice", "and ask for accounts", "or write to the address below",
    "anytime",         "from abroad"};
const std::vector<std::string> kOthers = {"The meeting moved to",
                                          "Invoice",
                                          "Shipped on",
                                          "Server address",
                                          "Price",
                                          "Build",
                                          "See",
                                          "Ref.",
                                          "Covering",
                                          "Reference"};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s OUT_DIR FILES BYTES_PER_FILE [SEED]\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const int files = std::stoi(argv[2]);
    const std::size_t bytes = std::stoull(argv[3]);
    rng.seed(argc > 4 ? std::stoull(argv[4]) : 24);
    std::ofstream truth(dir + "/truth.tsv", std::ios::binary);
    for (int f = 0; f < files; ++f) {
        const std::string path = dir + "/doc" + std::to_string(f) + ".txt";
        std::ofstream out(path, std::ios::binary);
        std::size_t written = 0;
        for (std::size_t line = 1; written < bytes; ++line) {
            std::string text;
            const int kind = Pick(10);
            if (kind < 4) {  // a number
                const Written w = Number();
                text = PickOf(kOpenings) + " " + w.text + " " + PickOf(kFillers) + ".";
                truth << path << '\t' << line << '\t' << w.e164 << '\t' << w.country << '\t'
                      << w.text << '\n';
            } else if (kind < 5) {  // two numbers, one after the other
                const Written a = Number(), b = Number();
                text = PickOf(kOpenings) + " " + a.text + " or " + b.text + ".";
                truth << path << '\t' << line << '\t' << a.e164 << '\t' << a.country << '\t'
                      << a.text << '\n';
                truth << path << '\t' << line << '\t' << b.e164 << '\t' << b.country << '\t'
                      << b.text << '\n';
            } else if (kind < 8) {  // a look-alike
                text = PickOf(kOthers) + " " + LookAlike() + " " + PickOf(kFillers) + ".";
            } else if (kind < 9) {  // a number and a look-alike
                const Written w = Number();
                text = PickOf(kOthers) + " " + LookAlike() + "; " + PickOf(kOpenings) + " " +
                       w.text + ".";
                truth << path << '\t' << line << '\t' << w.e164 << '\t' << w.country << '\t'
                      << w.text << '\n';
            } else {  // prose
                text = "Nothing to see on this line, " + PickOf(kFillers) + ".";
            }
            text += '\n';
            out << text;
            written += text.size();
        }
    }
    return 0;
}
