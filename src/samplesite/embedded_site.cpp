#include "samplesite/embedded_site.h"

namespace zelidor::samplesite {

EmbeddedSite::EmbeddedSite(std::string_view hostSetting) : host_(hostSetting) {
    if (hostSetting == kSampleHostSetting) {
        site_ = std::make_unique<SampleSite>();
        site_->start();
        host_ = site_->host();
    }
}

}  // namespace zelidor::samplesite
