#pragma once
// Lutris's own game list, ~/.local/share/lutris/pga.db (SQLite): the game names it shows.
#include <map>
#include <string>

namespace platform::discovery {

// Game names by the stem of their config file (the `configpath` column of `games`); empty
// when the database is missing or cannot be read, those read before a damaged page when it is
// damaged (`error` then says why).
std::map<std::string, std::string> LutrisGameNames(const std::string& databasePath,
                                                   std::string& error);

}  // namespace platform::discovery
