// The script engine as the download driver runs it, and the programme store as the engine's
// place to save programmes.
#pragma once

#include "download/channel_day_runner.h"
#include "engine/ports.h"
#include "engine/programme_store.h"
#include "engine/script_engine.h"

namespace zelidor {

class StoreSink : public ProgrammeSink {
  public:
    explicit StoreSink(ProgrammeStore& store) : store_(store) {}
    void save(const ProgrammeRow& row) override { store_.insert(row); }

  private:
    ProgrammeStore& store_;
};

class EngineChannelDayRunner : public ChannelDayRunner {
  public:
    explicit EngineChannelDayRunner(ScriptEngine& engine) : engine_(engine) {}

    void startSession() override { engine_.startSession(); }
    ChannelDayOutcome runChannelDay(const std::string& scriptName,
                                    const std::string& dayStamp) override {
        ChannelDayResult result = engine_.runBuiltinScript(scriptName, dayStamp);
        return ChannelDayOutcome{result.scriptValid, result.listingFetched, result.cancelled,
                                 result.programmesStored};
    }

  private:
    ScriptEngine& engine_;
};

}  // namespace zelidor
