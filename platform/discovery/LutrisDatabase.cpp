#include "platform/discovery/LutrisDatabase.h"

#include <sqlite3.h>

#include <memory>

namespace platform::discovery {
namespace {

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

}  // namespace

std::map<std::string, std::string> LutrisGameNames(const std::string& databasePath,
                                                   std::string& error) {
    std::map<std::string, std::string> names;
    sqlite3* raw = nullptr;
    // Read-only, and never creating the file: Lutris may be running and owns it.
    const int opened = sqlite3_open_v2(databasePath.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<sqlite3, CloseDatabase> db(raw);
    if (opened != SQLITE_OK) {
        error =
            databasePath + " cannot be opened: " + (db ? sqlite3_errmsg(db.get()) : "no memory");
        return names;
    }
    sqlite3_busy_timeout(db.get(), 200);
    sqlite3_stmt* rawStatement = nullptr;
    if (sqlite3_prepare_v2(db.get(), "SELECT configpath, name FROM games", -1, &rawStatement,
                           nullptr) != SQLITE_OK) {
        error = databasePath + " cannot be read: " + sqlite3_errmsg(db.get());
        return names;
    }
    std::unique_ptr<sqlite3_stmt, FinalizeStatement> statement(rawStatement);
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        const auto* config = sqlite3_column_text(statement.get(), 0);
        const auto* name = sqlite3_column_text(statement.get(), 1);
        if (config && name && *name)
            names.emplace(reinterpret_cast<const char*>(config),
                          reinterpret_cast<const char*>(name));
    }
    if (step != SQLITE_DONE) error = databasePath + " is damaged: " + sqlite3_errmsg(db.get());
    return names;
}

}  // namespace platform::discovery
