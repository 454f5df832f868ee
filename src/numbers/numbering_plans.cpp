#include "numbering_plans.h"

#include <phonenumbers/phonemetadata.pb.h>
#include <phonenumbers/phonenumberutil.h>

#include <algorithm>

namespace i18n::phonenumbers {
// The library's compiled-in metadata, exported by it (its PhoneNumberUtil parses the same
// bytes when it starts).
int metadata_size();
const void* metadata_get();
}  // namespace i18n::phonenumbers

namespace tessaly::numbers {

using i18n::phonenumbers::PhoneMetadataCollection;
using i18n::phonenumbers::PhoneNumberUtil;

const NumberingPlans& NumberingPlans::Library() {
    static const NumberingPlans plans;  // built once, under the language's guard
    return plans;
}

NumberingPlans::NumberingPlans() : collection_(std::make_unique<PhoneMetadataCollection>()) {
    namespace pn = i18n::phonenumbers;
    if (!collection_->ParseFromArray(pn::metadata_get(), pn::metadata_size())) return;
    const PhoneNumberUtil& library = *PhoneNumberUtil::GetInstance();
    for (const PhoneMetadata& plan : collection_->metadata()) {
        regions_.emplace(plan.id(), &plan);
        sharing_[plan.country_code()].push_back(&plan);
    }
    for (auto& [code, plans] : sharing_) {
        // The region the library itself names first for the code (the non-geographic "001"
        // plan has no region entry and stands alone).
        std::string first;
        library.GetRegionCodeForCountryCode(code, &first);
        const auto it = regions_.find(first);
        const PhoneMetadata* main = it != regions_.end() && first != "001" ? it->second : plans[0];
        main_.emplace(code, main);
        // The main plan first, as the library searches them: most numbers are found in it.
        std::stable_partition(plans.begin(), plans.end(),
                              [main](const PhoneMetadata* plan) { return plan == main; });
    }
}

NumberingPlans::~NumberingPlans() = default;

const PhoneMetadata* NumberingPlans::region(std::string_view code) const {
    const auto it = regions_.find(code);
    return it == regions_.end() || code == "001" ? nullptr : it->second;
}

const PhoneMetadata* NumberingPlans::main(int code) const {
    const auto it = main_.find(code);
    return it == main_.end() ? nullptr : it->second;
}

const std::vector<const PhoneMetadata*>& NumberingPlans::sharing(int code) const {
    static const std::vector<const PhoneMetadata*> none;
    const auto it = sharing_.find(code);
    return it == sharing_.end() ? none : it->second;
}

}  // namespace tessaly::numbers
