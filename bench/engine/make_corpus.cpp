// Writes the benchmark corpus: ASCII text that reads like office documents (words, dates,
// amounts, order numbers, phone numbers in the usual formats), as many files as asked, or one
// file that is a single gigantic line.
//
//   make_corpus DIR FILES BYTES_PER_FILE [--single-line]

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

const char* const kWords[] = {"the",    "order",    "call",    "office",   "invoice", "customer",
                              "please", "meeting",  "account", "shipping", "contact", "number",
                              "phone",  "tomorrow", "regards", "delivery", "payment", "support",
                              "team",   "schedule", "address", "and",      "for",     "with",
                              "from",   "our",      "your"};

std::string Piece(std::mt19937& rng, bool singleLine) {
    char buf[64];
    switch (rng() % 40) {
        case 0:
            std::snprintf(buf, sizeof buf, "(%03u) %03u-%04u", 200 + unsigned(rng() % 800),
                          unsigned(rng() % 1000), unsigned(rng() % 10000));
            return buf;
        case 1:
            std::snprintf(buf, sizeof buf, "%03u-%03u-%04u", 200 + unsigned(rng() % 800),
                          unsigned(rng() % 1000), unsigned(rng() % 10000));
            return buf;
        case 2:
            std::snprintf(buf, sizeof buf, "1-800-%03u-%04u", unsigned(rng() % 1000),
                          unsigned(rng() % 10000));
            return buf;
        case 3:
            std::snprintf(buf, sizeof buf, "2026-%02u-%02u", 1 + unsigned(rng() % 12),
                          1 + unsigned(rng() % 28));
            return buf;
        case 4:
            std::snprintf(buf, sizeof buf, "$%u.%02u", unsigned(rng() % 5000),
                          unsigned(rng() % 100));
            return buf;
        case 5:
            return singleLine ? "." : ".\n";
        case 6:
            return ",";
        default:
            return kWords[rng() % (sizeof kWords / sizeof *kWords)];
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_corpus DIR FILES BYTES_PER_FILE [--single-line]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const long files = std::atol(argv[2]);
    const long long bytes = std::atoll(argv[3]);
    const bool singleLine = argc > 4 && std::string(argv[4]) == "--single-line";
    std::mt19937 rng(12345);
    std::string text;
    for (long f = 0; f < files; ++f) {
        const std::string path = dir + "/doc" + std::to_string(f) + ".txt";
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (!out) {
            std::perror(path.c_str());
            return 1;
        }
        long long written = 0;
        while (written < bytes) {
            text.clear();
            while (text.size() < (1 << 16)) {
                text += Piece(rng, singleLine);
                text += ' ';
            }
            const std::size_t n =
                std::size_t(std::min<long long>(bytes - written, (long long)text.size()));
            std::fwrite(text.data(), 1, n, out);
            written += (long long)n;
        }
        std::fclose(out);
    }
    return 0;
}
