// Lutris's game list read from real SQLite files: its own table, older and damaged ones, and
// files that are no database.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "platform/discovery/LutrisDatabase.h"
#include "tests/fixtures/FakeHome.h"

namespace {

using platform::discovery::LutrisGameNames;
using Names = std::map<std::string, std::string>;

const std::string kGames =
    "CREATE TABLE games (id INTEGER PRIMARY KEY, name TEXT, sortname TEXT, slug TEXT, "
    "installer_slug TEXT, platform TEXT, runner TEXT, directory TEXT, installed INTEGER, "
    "configpath TEXT, service TEXT);";

void Sql(const std::string& path, const std::string& statements) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, statements.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_close(db);
}

// Lutris's table with `rows` games, "game-N" named "Game N".
void Games(const std::string& path, int rows) {
    std::string insert = kGames + "BEGIN;";
    for (int i = 0; i < rows; ++i)
        insert += "INSERT INTO games (name, configpath) VALUES ('Game " + std::to_string(i) +
                  "', 'game-" + std::to_string(i) + "');";
    Sql(path, insert + "COMMIT;");
}

TEST(LutrisDatabaseTest, ReadsTheGameListOrSaysWhyNot) {
    const struct {
        std::string name;
        std::function<void(const std::string& path)> make;
        Names names;
        std::string error;  // a part of the error; empty for none
    } cases[] = {
        {"Lutris's table",
         [](const std::string& path) {
             Sql(path, kGames +
                           "INSERT INTO games (name, configpath) VALUES ('Guild Wars 2', "
                           "'guild-wars-2-1700000000'), ('Pok\xC3\xA9mon \"X\"', 'pokemon-1'), "
                           "('Not installed', NULL), ('', 'no-name-2'), (NULL, 'null-name-3');");
         },
         {{"guild-wars-2-1700000000", "Guild Wars 2"}, {"pokemon-1", "Pok\xC3\xA9mon \"X\""}},
         ""},
        {"empty table", [](const std::string& path) { Sql(path, kGames); }, {}, ""},
        {"no games table",
         [](const std::string& path) { Sql(path, "CREATE TABLE other (a);"); },
         {},
         "cannot be read: no such table: games"},
        {"an older table",
         [](const std::string& path) { Sql(path, "CREATE TABLE games (id, name, slug);"); },
         {},
         "cannot be read: no such column: configpath"},
        {"missing", [](const std::string&) {}, {}, "cannot be opened"},
        {"binary junk",
         [](const std::string& path) {
             std::string junk(1 << 20, '\0');
             for (std::size_t i = 0; i < junk.size(); ++i)
                 junk[i] = static_cast<char>(i * 2654435761u >> 13);
             std::ofstream(path, std::ios::binary) << junk;
         },
         {},
         "file is not a database"},
        {"cut short",
         [](const std::string& path) {
             Games(path, 3000);
             std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
         },
         {},
         "cannot be read: database disk image is malformed"},
    };
    fixtures::FakeHome home;
    for (const auto& c : cases) {
        const std::string path = home.Path(c.name + ".db");
        c.make(path);
        std::string error;
        EXPECT_EQ(LutrisGameNames(path, error), c.names) << c.name;
        if (c.error.empty()) EXPECT_EQ(error, "") << c.name;
        else EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
    }
}

TEST(LutrisDatabaseTest, KeepsTheGamesReadBeforeADamagedPage) {
    fixtures::FakeHome home;
    const std::string path = home.Path("pga.db");
    Games(path, 3000);
    std::fstream(path, std::ios::in | std::ios::out | std::ios::binary).seekp(10 * 4096)
        << std::string(4096, '\xA5');
    std::string error;
    const Names names = LutrisGameNames(path, error);
    EXPECT_NE(error.find("is damaged: database disk image is malformed"), std::string::npos)
        << error;
    EXPECT_GT(names.size(), 0u);
    EXPECT_LT(names.size(), 3000u);
    for (const auto& [config, name] : names) EXPECT_EQ("game-" + name.substr(5), config);
}

}  // namespace
