#pragma once
// What the Windows backend's tests need from Windows beyond the backend itself, behind a
// header free of <windows.h> (whose macros would hide platform's constants).
#include <string>

namespace win32test {

// A new, empty folder in the temporary folder, as UTF-16.
std::u16string MakeScratchFolder();
// Removes the folder and everything in it, long paths included.
void RemoveFolder(const std::u16string& folder);
// Removes HKEY_CURRENT_USER\<subKey> with everything below it.
void RemoveUserKey(const std::u16string& subKey);
// Creates an empty file by its exact UTF-16 path.
bool CreateEmptyFile(const std::u16string& path);
// This program's path, as GetModuleFileNameA gives it.
std::string ProgramPath();
// A number that differs between processes, for scratch names.
unsigned ProcessId();

}  // namespace win32test
