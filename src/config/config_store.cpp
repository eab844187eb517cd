#include "config/config_store.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

#include "config/config_database.h"

namespace zelidor {

namespace {

// Config holds one row; should a second one ever appear, everybody uses the first.
constexpr std::string_view kFirstRow = " WHERE rowid = (SELECT min(rowid) FROM Config)";

std::string columnList() {
    std::string list;
    for (const ConfigColumn& column : kConfigColumns) {
        list += (list.empty() ? "" : ", ") + std::string(column.name);
    }
    return list;
}

int flagValue(const Statement& statement, int column) {
    std::int64_t value = statement.integer(column);
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

std::string textValue(const Statement& statement, int column) {
    return statement.latin1(column).value_or("");
}

int at(ConfigField field) {
    return static_cast<int>(field);
}

void requireKind(ConfigField field, ConfigFieldKind kind) {
    if (configColumn(field).kind != kind) {
        throw std::invalid_argument("the Config field " + std::string(configColumn(field).name) +
                                    " holds another kind of value");
    }
}

}  // namespace

ConfigStore::ConfigStore(const std::filesystem::path& appFolder)
    : appFolder_(appFolder), db_(configDatabaseFile(appFolder)) {
    prepareConfigDatabase(db_, appFolder_);
}

ConfigRow ConfigStore::read() {
    ensureConfigRow(db_, appFolder_);
    Statement query =
        db_.prepare("SELECT " + columnList() + " FROM Config" + std::string(kFirstRow));
    if (!query.step()) {
        throw StoreError(db_.file().string() + ": the Config row has disappeared");
    }
    ConfigRow row;
    row.winWidth = query.real(at(ConfigField::WinWidth));
    row.winHeight = query.real(at(ConfigField::WinHeight));
    row.winTop = query.real(at(ConfigField::WinTop));
    row.winLeft = query.real(at(ConfigField::WinLeft));
    row.card = textValue(query, at(ConfigField::Card));
    row.checkUpdate = flagValue(query, at(ConfigField::CheckUpdate));
    row.shutDown = flagValue(query, at(ConfigField::ShutDown));
    row.scriptError = flagValue(query, at(ConfigField::ScriptError));
    row.shutType = textValue(query, at(ConfigField::ShutType));
    row.takeOnlyListed = flagValue(query, at(ConfigField::TakeOnlyListed));
    row.listingsHost = textValue(query, at(ConfigField::ListingsHost));
    row.updateHost = textValue(query, at(ConfigField::UpdateHost));
    row.samplePort = flagValue(query, at(ConfigField::SamplePort));
    return row;
}

void ConfigStore::write(const ConfigRow& row) {
    ensureConfigRow(db_, appFolder_);
    std::string assignments;
    for (const ConfigColumn& column : kConfigColumns) {
        assignments += (assignments.empty() ? "" : ", ") + std::string(column.name) + " = ?";
    }
    Statement update = db_.prepare("UPDATE Config SET " + assignments + std::string(kFirstRow));
    bindConfigRow(update, row);
    update.run();
}

void ConfigStore::updateField(ConfigField field, const auto& bindValue) {
    ensureConfigRow(db_, appFolder_);
    Statement update = db_.prepare("UPDATE Config SET " + std::string(configColumn(field).name) +
                                   " = ?" + std::string(kFirstRow));
    bindValue(update);
    update.run();
}

void ConfigStore::setNumber(ConfigField field, double value) {
    requireKind(field, ConfigFieldKind::Number);
    updateField(field, [value](Statement& update) { update.bind(1, value); });
}

void ConfigStore::setText(ConfigField field, std::string_view latin1) {
    requireKind(field, ConfigFieldKind::Text);
    updateField(field, [latin1](Statement& update) { update.bindLatin1(1, latin1); });
}

void ConfigStore::setWindowPlacement(double width, double height, double top, double left) {
    ensureConfigRow(db_, appFolder_);
    Statement update =
        db_.prepare("UPDATE Config SET WinWidth = ?, WinHeight = ?, WinTop = ?, WinLeft = ?" +
                    std::string(kFirstRow));
    update.bind(1, width).bind(2, height).bind(3, top).bind(4, left);
    update.run();
}

int ConfigStore::flagAtPosition(int position) {
    ensureConfigRow(db_, appFolder_);
    Statement query = db_.prepare("SELECT * FROM Config" + std::string(kFirstRow));
    if (!query.step()) {
        throw StoreError(db_.file().string() + ": the Config row has disappeared");
    }
    if (position < 0 || position >= query.columnCount()) {
        throw std::out_of_range("the Config row has no field at position " +
                                std::to_string(position));
    }
    return flagValue(query, position);
}

}  // namespace zelidor
