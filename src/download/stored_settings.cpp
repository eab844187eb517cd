#include "download/stored_settings.h"

namespace zelidor {

StoredEngineSettings::StoredEngineSettings(ConfigStore& config, ImportTypeStore& types,
                                           DownloadOptions options, std::string listingsHost,
                                           std::string updateHost)
    : config_(config),
      types_(types),
      options_(options),
      listingsHost_(std::move(listingsHost)),
      updateHost_(std::move(updateHost)) {
    // The switch is a choice of the run, like the download window's check box: it is taken
    // once here rather than read from the file for every programme.
    takeOnlyListed_ = options_.takeOnlyListed.value_or(false);
    if (!options_.takeOnlyListed) {
        try {
            takeOnlyListed_ = config_.read().takeOnlyListed == 1;
        } catch (const std::exception&) {
            takeOnlyListed_ = false;
        }
    }
}

// A settings file that cannot be read in the middle of a run must not end the run: each reader
// falls back to the value of a fresh installation.

bool StoredEngineSettings::takeOnlyListed() const {
    return takeOnlyListed_;
}

std::vector<std::string> StoredEngineSettings::importTypes() const {
    try {
        return types_.list();
    } catch (const std::exception&) {
        return {};
    }
}

int StoredEngineSettings::scriptErrorFlag() const {
    if (options_.scriptErrorFlag) {
        return *options_.scriptErrorFlag;
    }
    try {
        return config_.flagAtPosition(static_cast<int>(ConfigField::ScriptError));
    } catch (const std::exception&) {
        return 0;
    }
}

bool StoredEngineSettings::checkUpdate() const {
    try {
        return config_.read().checkUpdate == 1;
    } catch (const std::exception&) {
        return true;
    }
}

}  // namespace zelidor
