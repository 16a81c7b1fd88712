#pragma once
// Where backups live: a "backup" folder beside the program, so inside the prefix they belong
// to (drive_c/Program Files/Norlix Drennow/backup/backup.txt).
#include <string>

#include "platform/Services.h"

namespace repair {

// The program's path cut just after its last separator ("\" or "/"); whole when it has none.
std::string ProgramFolder(platform::Services& services);
std::string BackupFolder(const std::string& programFolder);
std::string BackupFile(const std::string& backupFolder);

// Both, from the running program's path.
std::string BackupFolder(platform::Services& services);
std::string BackupFile(platform::Services& services);

// Makes the folder and every missing folder above it. Something that already exists under a
// name ends the walk up, as it is.
void CreateFolderPath(platform::Services& services, std::string path);

}  // namespace repair
