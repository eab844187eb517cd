#include "engine/script_engine.h"

#include "engine/script_machine.h"

namespace zelidor {

ScriptEngine::ScriptEngine(const std::filesystem::path& appFolder, EnginePorts ports)
    : machine_(std::make_unique<ScriptMachine>(appFolder, ports)) {}

ScriptEngine::~ScriptEngine() = default;

void ScriptEngine::startSession() {
    machine_->startSession();
}

ChannelDayResult ScriptEngine::runBuiltinScript(const std::string& scriptName,
                                                const std::string& dayStamp) {
    return machine_->runChannelScript(scriptName, dayStamp, nullptr);
}

ChannelDayResult ScriptEngine::runScript(const std::string& scriptName, const std::string& dayStamp,
                                         const std::vector<std::string>& scriptLines) {
    return machine_->runChannelScript(scriptName, dayStamp, &scriptLines);
}

const ScriptVars& ScriptEngine::variables() const {
    return machine_->state().vars;
}

void ScriptEngine::setTraceHook(TraceHook hook) {
    machine_->setTraceHook(std::move(hook));
}

}  // namespace zelidor
