// The listings and update hosts of a run: a setting of "sample" starts the bundled sample site
// in this process for as long as the object lives (one site serves both when both ask for it).
#pragma once

#include <memory>
#include <string>

#include "samplesite/embedded_site.h"

namespace zelidor::cli {

class EmbeddedHosts {
  public:
    EmbeddedHosts(const std::string& listingsSetting, const std::string& updateSetting);

    const std::string& listingsHost() const { return listingsHost_; }
    const std::string& updateHost() const { return updateHost_; }

  private:
    std::unique_ptr<samplesite::EmbeddedSite> listings_;
    std::unique_ptr<samplesite::EmbeddedSite> update_;
    std::string listingsHost_;
    std::string updateHost_;
};

}  // namespace zelidor::cli
