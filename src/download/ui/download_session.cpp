#include "download/ui/download_session.h"

#include <stdexcept>

#include "config/config_store.h"
#include "config/import_types.h"
#include "download/engine_runner.h"
#include "samplesite/embedded_hosts.h"

namespace zelidor::ui {

// The engine is made once with its ports, but what stands behind the settings and the store
// changes with every run: these two hand each call on to the run in progress.
class DownloadSession::RunSettings : public EngineSettings {
  public:
    const EngineSettings* current = nullptr;

    bool listOnly() const override { return get().listOnly(); }
    bool takeOnlyListed() const override { return get().takeOnlyListed(); }
    std::vector<std::string> importTypes() const override { return get().importTypes(); }
    bool openListingInBrowser() const override { return get().openListingInBrowser(); }
    int scriptErrorFlag() const override { return get().scriptErrorFlag(); }
    bool checkUpdate() const override { return get().checkUpdate(); }
    std::string listingsHost() const override { return get().listingsHost(); }
    std::string updateHost() const override { return get().updateHost(); }

  private:
    const EngineSettings& get() const {
        if (current == nullptr) {
            throw std::logic_error("the engine ran outside a download run");
        }
        return *current;
    }
};

class DownloadSession::RunSink : public ProgrammeSink {
  public:
    ProgrammeSink* current = nullptr;

    void save(const ProgrammeRow& row) override {
        if (current == nullptr) {
            throw std::logic_error("the engine saved outside a download run");
        }
        current->save(row);
    }
};

namespace {

// Resets the run's pointers however the run ends.
template <class T>
class Bound {
  public:
    Bound(T*& slot, T* value) : slot_(slot) { slot_ = value; }
    ~Bound() { slot_ = nullptr; }
    Bound(const Bound&) = delete;
    Bound& operator=(const Bound&) = delete;

  private:
    T*& slot_;
};

}  // namespace

DownloadSession::DownloadSession(std::filesystem::path appFolder, SessionPorts ports,
                                 std::unique_ptr<PageFetcher> fetcher)
    : appFolder_(std::move(appFolder)),
      ports_(ports),
      fetcher_(std::move(fetcher)),
      settings_(std::make_unique<RunSettings>()),
      sink_(std::make_unique<RunSink>()) {
    engine_ = std::make_unique<ScriptEngine>(
        appFolder_, EnginePorts{ports_.engineDisplay, ports_.dialogs, ports_.desktop, *settings_,
                                *fetcher_, *sink_});
}

DownloadSession::~DownloadSession() = default;

DownloadSummary DownloadSession::run(const DownloadPlan& plan, const DownloadOptions& options,
                                     const std::atomic<bool>& stop) {
    ConfigStore config(appFolder_);
    ImportTypeStore types(appFolder_);
    const ConfigRow row = config.read();
    // The bundled site serves this run when the settings name it, as for the command line, on
    // its remembered port (the one the program keeps serving), so the stored web links open.
    samplesite::EmbeddedHosts hosts(row.listingsHost, row.updateHost, &config);
    StoredEngineSettings settings(config, types, options, hosts.listingsHost(), hosts.updateHost());
    ProgrammeStore store(ProgrammeStore::defaultFile(appFolder_));
    StoreSink sink(store);
    Bound<const EngineSettings> boundSettings(settings_->current, &settings);
    Bound<ProgrammeSink> boundSink(sink_->current, &sink);
    EngineChannelDayRunner runner(*engine_);
    DownloadDriver driver(store, runner, ports_.downloadDisplay, ports_.power,
                          appFolder_ / "covers");
    return driver.run(plan, stop);
}

}  // namespace zelidor::ui
