#pragma once
// NumberingPlans: the number library's own metadata (every region's numbering plan: its
// calling code, international and national prefixes, and the pattern and lengths of its
// national numbers), loaded once from the copy compiled into the library, the same copy its
// PhoneNumberUtil reads, and read-only after that, so every worker may share it.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace i18n::phonenumbers {
class PhoneMetadata;
class PhoneMetadataCollection;
}  // namespace i18n::phonenumbers

namespace tessaly::numbers {

using i18n::phonenumbers::PhoneMetadata;

class NumberingPlans {
  public:
    // The plans as the library holds them; empty (every look-up null) when its copy cannot
    // be read, so that every number is then left to the library's own parse.
    static const NumberingPlans& Library();

    // The plan of a region ("US"), null when the library has none.
    const PhoneMetadata* region(std::string_view code) const;
    // The plan the library reads numbers of calling code `code` with: its main region's, or
    // the plan of a non-geographic code (800, 882, ...). Null when the code is unknown.
    const PhoneMetadata* main(int code) const;
    // Every plan of calling code `code` (the regions sharing it, or the non-geographic one).
    const std::vector<const PhoneMetadata*>& sharing(int code) const;

  private:
    NumberingPlans();
    ~NumberingPlans();

    std::unique_ptr<i18n::phonenumbers::PhoneMetadataCollection> collection_;
    std::map<std::string, const PhoneMetadata*, std::less<>> regions_;
    std::map<int, const PhoneMetadata*> main_;
    std::map<int, std::vector<const PhoneMetadata*>> sharing_;
};

}  // namespace tessaly::numbers
