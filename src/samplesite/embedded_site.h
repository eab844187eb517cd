// The sample site as the program's default listings host: the listings-host setting "sample"
// means "serve the bundled site in-process". Any other setting is used as it stands.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "samplesite/sample_site.h"

namespace zelidor::samplesite {

inline constexpr std::string_view kSampleHostSetting = "sample";

class EmbeddedSite {
  public:
    // For the setting "sample" (exactly), starts a sample site on 127.0.0.1 with a free port;
    // throws std::runtime_error when it cannot listen.
    explicit EmbeddedSite(std::string_view hostSetting);
    ~EmbeddedSite() = default;  // the site stops with its owner
    EmbeddedSite(const EmbeddedSite&) = delete;
    EmbeddedSite& operator=(const EmbeddedSite&) = delete;

    // "127.0.0.1:PORT" for the sample site, otherwise the setting unchanged.
    const std::string& host() const { return host_; }
    // The running site, or null when the setting names another host.
    SampleSite* site() const { return site_.get(); }

  private:
    std::unique_ptr<SampleSite> site_;
    std::string host_;
};

}  // namespace zelidor::samplesite
