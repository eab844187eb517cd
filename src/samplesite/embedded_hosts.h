// The listings and update hosts of a run: a setting of "sample" starts the bundled sample site
// in this process for as long as the object lives (one site serves both when both ask for it).
#pragma once

#include <memory>
#include <string>

#include "config/config_store.h"
#include "samplesite/embedded_site.h"
#include "samplesite/local_sample_site.h"

namespace zelidor::samplesite {

class EmbeddedHosts {
  public:
    // With settings, the listings site is served on the port remembered there, so that the web
    // links a download stores keep working; without, on any free port.
    EmbeddedHosts(const std::string& listingsSetting, const std::string& updateSetting,
                  ConfigStore* settings = nullptr);

    const std::string& listingsHost() const { return listingsHost_; }
    const std::string& updateHost() const { return updateHost_; }

  private:
    std::unique_ptr<LocalSampleSite> fixed_;
    std::unique_ptr<EmbeddedSite> listings_;
    std::unique_ptr<EmbeddedSite> update_;
    std::string listingsHost_;
    std::string updateHost_;
};

}  // namespace zelidor::samplesite
