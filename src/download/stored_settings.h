// The engine's settings as a download run sees them: the type list and the script-error flag
// read afresh at every call (a change made during the run takes effect at once), the options of
// the download itself (list only, listed types only) and the hosts resolved for this run.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/config_store.h"
#include "config/import_types.h"
#include "engine/ports.h"

namespace zelidor {

struct DownloadOptions {
    bool listOnly = false;               // "Scarica Solo La Lista (Veloce)"
    bool openListingInBrowser = false;   // "Apri Una Finestra Di Explorer"
    std::optional<bool> takeOnlyListed;  // overrides the stored setting when given
    std::optional<int> scriptErrorFlag;  // overrides the stored flag when given
};

class StoredEngineSettings : public EngineSettings {
  public:
    // listingsHost and updateHost are the hosts to use for this run (the bundled site's
    // "127.0.0.1:PORT" when the stored setting names it).
    StoredEngineSettings(ConfigStore& config, ImportTypeStore& types, DownloadOptions options,
                         std::string listingsHost, std::string updateHost);

    bool listOnly() const override { return options_.listOnly; }
    bool takeOnlyListed() const override;
    std::vector<std::string> importTypes() const override;
    bool openListingInBrowser() const override { return options_.openListingInBrowser; }
    int scriptErrorFlag() const override;
    bool checkUpdate() const override;
    std::string listingsHost() const override { return listingsHost_; }
    std::string updateHost() const override { return updateHost_; }

  private:
    ConfigStore& config_;
    ImportTypeStore& types_;
    DownloadOptions options_;
    std::string listingsHost_;
    std::string updateHost_;
    bool takeOnlyListed_ = false;
};

}  // namespace zelidor
