#include "cli/embedded_hosts.h"

namespace zelidor::cli {

EmbeddedHosts::EmbeddedHosts(const std::string& listingsSetting, const std::string& updateSetting,
                             ConfigStore* settings) {
    if (settings && listingsSetting == samplesite::kSampleHostSetting) {
        fixed_ = std::make_unique<samplesite::LocalSampleSite>(*settings);
        listingsHost_ = fixed_->host();
    } else {
        listings_ = std::make_unique<samplesite::EmbeddedSite>(listingsSetting);
        listingsHost_ = listings_->host();
    }
    if (updateSetting == listingsSetting) {
        updateHost_ = listingsHost_;
    } else {
        update_ = std::make_unique<samplesite::EmbeddedSite>(updateSetting);
        updateHost_ = update_->host();
    }
}

}  // namespace zelidor::cli
