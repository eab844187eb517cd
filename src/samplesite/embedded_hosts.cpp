#include "samplesite/embedded_hosts.h"

namespace zelidor::samplesite {

EmbeddedHosts::EmbeddedHosts(const std::string& listingsSetting, const std::string& updateSetting,
                             ConfigStore* settings) {
    if (settings && listingsSetting == kSampleHostSetting) {
        fixed_ = std::make_unique<LocalSampleSite>(*settings);
        listingsHost_ = fixed_->host();
    } else {
        listings_ = std::make_unique<EmbeddedSite>(listingsSetting);
        listingsHost_ = listings_->host();
    }
    if (updateSetting == listingsSetting) {
        updateHost_ = listingsHost_;
    } else {
        update_ = std::make_unique<EmbeddedSite>(updateSetting);
        updateHost_ = update_->host();
    }
}

}  // namespace zelidor::samplesite
