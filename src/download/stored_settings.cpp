#include "download/stored_settings.h"

namespace zelidor {

StoredEngineSettings::StoredEngineSettings(ConfigStore& config, ImportTypeStore& types,
                                           DownloadOptions options, std::string listingsHost,
                                           std::string updateHost)
    : config_(config),
      types_(types),
      options_(options),
      listingsHost_(std::move(listingsHost)),
      updateHost_(std::move(updateHost)) {}

// A settings file that cannot be read in the middle of a run must not end the run: each reader
// falls back to the value of a fresh installation.

bool StoredEngineSettings::takeOnlyListed() const {
    if (options_.takeOnlyListed) {
        return *options_.takeOnlyListed;
    }
    try {
        return config_.read().takeOnlyListed == 1;
    } catch (const std::exception&) {
        return false;
    }
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
