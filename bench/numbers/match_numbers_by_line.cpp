// The peer of the number options' bench: the number library's own text matcher, run on each
// line of each file with one region and the VALID leniency, on one thread. Writes
// PATH:LINE:+E164 for every number it finds, as tessaly-extract -H -n --e164 does.
//
// Usage: match_numbers_by_line REGION FILE...

#include <phonenumbers/phonenumbermatch.h>
#include <phonenumbers/phonenumbermatcher.h>
#include <phonenumbers/phonenumberutil.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

using i18n::phonenumbers::PhoneNumberMatch;
using i18n::phonenumbers::PhoneNumberMatcher;
using i18n::phonenumbers::PhoneNumberUtil;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s REGION FILE...\n", argv[0]);
        return 2;
    }
    const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
    const std::string region = argv[1];
    std::string out;
    for (int f = 2; f < argc; ++f) {
        std::ifstream in(argv[f], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", argv[f]);
            return 1;
        }
        std::string line;
        for (std::size_t number = 1; std::getline(in, line); ++number) {
            PhoneNumberMatcher matcher(util, line, region, PhoneNumberMatcher::VALID,
                                       std::numeric_limits<int>::max());
            PhoneNumberMatch match;
            while (matcher.HasNext() && matcher.Next(&match)) {
                std::string e164;
                util.Format(match.number(), PhoneNumberUtil::E164, &e164);
                out += argv[f];
                out += ':' + std::to_string(number) + ':' + e164 + '\n';
            }
            if (out.size() > (1 << 16)) {
                std::fwrite(out.data(), 1, out.size(), stdout);
                out.clear();
            }
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
