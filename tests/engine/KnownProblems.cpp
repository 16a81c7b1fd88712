#include "tests/engine/KnownProblems.h"

namespace enginetest {

using fixtures::Hive;

void AddKnownProblems(fixtures::TestPrefix& p) {
    // Files that exist, so that the entries naming them stay unreported.
    p.CreateFile("C:\\windows\\notepad.exe", "MZ");
    p.CreateFile("C:\\windows\\system32\\present.dll", "MZ");
    p.CreateFile("C:\\windows\\Fonts\\heresans.ttf", "font");
    p.CreateFile("C:\\windows\\media\\chord.wav", "RIFF");
    p.CreateFile("C:\\windows\\help\\here.hlp", "help");
    p.CreateFile("C:\\Program Files\\Here App\\here.exe", "MZ");
    p.CreateFolder("C:\\users\\Public\\Desktop");
    p.CreateFolder("C:\\users\\demo\\Desktop");

    // 1 Registry Integrity: folders of the shell, machine-wide and per user.
    const char* shell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const char* userShell =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    p.SetString(Hive::System, shell, "Common Desktop", "C:\\users\\Public\\Desktop");
    p.SetString(Hive::System, shell, "Common Templates", "C:\\ProgramData\\Templates.old");
    p.SetString(Hive::User, shell, "Cache", "C:\\users\\demo\\Temp\\cache.old");
    p.SetString(Hive::User, shell, "Desktop", "C:\\users\\demo\\Desktop");
    p.SetString(Hive::User, userShell, "", "");
    p.SetString(Hive::User, userShell, "Empty", "");
    p.SetExpandString(Hive::User, userShell, "Fonts", "%SystemRoot%\\Fonts\\heresans.ttf");
    p.SetExpandString(Hive::User, userShell, "Old Fonts", "%SystemRoot%\\Fonts Old\\x.fon");
    p.SetExpandString(Hive::User, userShell, "Personal", "%USERPROFILE%\\Documents");

    // 2 Custom Controls: component files of InprocServer32 keys.
    const char* clsid = "Software\\Classes\\CLSID\\";
    const std::string gone = std::string(clsid) + "{0D0E0A0D-0000-4000-8000-000000000001}";
    const std::string here = std::string(clsid) + "{0D0E0A0D-0000-4000-8000-000000000002}";
    const std::string goneFull = std::string(clsid) + "{0D0E0A0D-0000-4000-8000-000000000003}";
    p.SetString(Hive::System, gone, "", "Gone Control");
    p.SetString(Hive::System, gone + "\\InprocServer32", "", "gonectl.dll");
    p.SetString(Hive::System, gone + "\\InprocServer32", "ThreadingModel", "Apartment");
    p.SetString(Hive::System, here + "\\InprocServer32", "", "present.dll");
    p.SetString(Hive::System, goneFull + "\\InprocServer32", "",
                "C:\\Program Files\\Gone\\gone.ocx");
    p.SetString(Hive::System, goneFull + "\\LocalServer32", "",
                "C:\\Program Files\\Gone\\gone.exe");

    // 3 Software Locations.
    const char* appPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
    p.SetString(Hive::System, std::string(appPaths) + "gone.exe", "",
                "\"C:\\Program Files\\Gone App\\gone.exe\" /start");
    p.SetString(Hive::System, std::string(appPaths) + "here.exe", "",
                "C:\\Program Files\\Here App\\here.exe");
    p.SetString(Hive::System, std::string(appPaths) + "here.exe", "Path",
                "C:\\Program Files\\Gone App");

    // 4 Device Drivers never reports.
    p.SetString(Hive::System, "Hardware\\Description\\System", "Identifier", "C:\\gone\\hal.sys");

    // 5 Windows Fonts.
    const char* fonts = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    p.SetString(Hive::System, fonts, "Gone Sans (TrueType)", "gonesans.ttf");
    p.SetString(Hive::System, fonts, "Here Sans (TrueType)", "heresans.ttf");
    p.SetString(Hive::System, fonts, "Old Serif (TrueType)", "");
    p.SetString(Hive::System, fonts, "Symbol Set", "C:\\windows\\Fonts\\heresans.ttf");

    // 6 Help and Resources.
    p.SetString(Hive::System, "Software\\Microsoft\\Windows\\Help", "gone.hlp",
                "C:\\windows\\help");
    p.SetString(Hive::System, "Software\\Microsoft\\Windows\\Help", "here.hlp",
                "C:\\windows\\help\\");
    p.SetString(Hive::System, "Software\\Microsoft\\Windows\\Html Help", "gone.chm",
                "C:\\Program Files\\Gone");

    // 7 Shared Programs.
    const char* shared = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
    p.SetDword(Hive::System, shared, "C:\\Program Files\\Common Files\\gone.dll", 1);
    p.SetDword(Hive::System, shared, "C:\\windows\\system32\\present.dll", 2);

    // 8 Startup Programs, machine-wide and per user.
    const char* run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    p.SetString(Hive::System, run, "Gone Agent", "C:\\Program Files\\Gone\\agent.exe /background");
    p.SetString(Hive::System, run, "Notepad", "notepad.exe");
    p.SetString(Hive::System, run, "Quoted Agent", "\"C:\\Program Files\\Gone\\agent.exe\"");
    p.SetString(Hive::User, run, "Updater", "goneupd.exe");
    p.SetString(Hive::User, run, "Here", "C:\\Program Files\\Here App\\here.exe -min");

    // 9 Add/Remove Programs.
    const char* uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Gone App";
    p.SetString(Hive::System, uninstall, "DisplayName", "Gone App");
    p.SetString(Hive::System, uninstall, "QuietUninstallString",
                "\"C:\\Program Files\\Gone\\unins000.exe\" /SILENT");
    p.SetString(Hive::System, uninstall, "UninstallString",
                "\"C:\\Program Files\\Gone\\unins000.exe\" /SILENT");
    p.SetString(Hive::System, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Here App",
                "UninstallString", "C:\\Program Files\\Here App\\here.exe /uninstall");
    const char* folders = "Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
    p.SetDword(Hive::System, folders, "C:\\Program Files\\Gone\\cache.dat", 0);
    p.SetDword(Hive::System, folders, "C:\\Program Files\\Here App\\here.exe", 0);

    // 10 Virtual Devices.
    const char* vdd = "System\\CurrentControlSet\\Control\\VirtualDeviceDrivers";
    p.SetString(Hive::System, vdd, "Dev", "VDD0");
    p.SetString(Hive::System, vdd, "VDD", "C:\\windows\\system32\\gonevdd.dll");

    // 11 Configuration Files has no area.

    // 12 Sound and Appevents, per user and for the default user.
    const char* sounds = "AppEvents\\Schemes\\Apps\\.Default\\";
    p.SetString(Hive::User, std::string(sounds) + "SystemAsterisk\\.Current", "", "gone.wav");
    p.SetString(Hive::User, std::string(sounds) + "SystemHand\\.Current", "", "chord.wav");
    p.SetString(Hive::User, std::string(sounds) + "SystemStart\\.Current", "", "");
    p.SetString(Hive::UserDefault, std::string(sounds) + "SystemExit\\.Current", "",
                "C:\\windows\\media\\gone exit.wav");

    // 13 Valid Files Path: all of SOFTWARE (which also holds most of the above).
    const char* vendor = "Software\\Gone Vendor\\Gone App";
    p.SetString(Hive::System, vendor, "BackupDir", "C:\\Program Files\\Gone\\backup.dir");
    p.SetString(Hive::System, vendor, "Data", "C:\\Program Files\\Gone\\data.bin;C:\\x");
    p.SetString(Hive::System, vendor, "SystemDB", "C:\\Program Files\\Gone\\system.db");
    p.SetBinary(Hive::System, vendor, "Raw", {'C', ':', '\\', 'x', '.', 'x', 0});
    p.SetString(Hive::System, "Software\\Microsoft\\Advanced INF Setup\\Gone", "Log",
                "C:\\Program Files\\Gone\\setup.log");
    p.SetString(Hive::User, "Software\\Gone Vendor", "Last File", "\"C:\\users\\demo\\gone.txt\"");
    p.SetString(Hive::User, "Software\\Gone Vendor", "Here",
                "C:\\Program Files\\Here App\\here.exe");
    p.SetString(Hive::User, "Software\\Gone Vendor", "Disc", "D:\\setup.exe");
    p.AddDrive('d', "../drive_d");
    // A file on the disc drive, since git keeps no empty folder.
    p.CreateFile("D:\\readme.txt", "A disc drive: never searched, never reported.");
    p.SetString(Hive::System, "Software\\Wine\\Drives", "d:", "cdrom");

    // 14 Valid Shortcuts.
    p.CreateShortcut("C:\\users\\Public\\Desktop\\Gone App.lnk",
                     "C:\\Program Files\\Gone\\gone.exe");
    p.CreateShortcut("C:\\users\\Public\\Desktop\\Here App.lnk",
                     "C:\\Program Files\\Here App\\here.exe");
    p.CreateShortcut("C:\\users\\demo\\Desktop\\OLD TOOL.LNK", "C:\\Tools\\oldtool.exe");
    p.CreateShortcut("C:\\windows\\security\\Gone Policy.lnk",
                     "C:\\Program Files\\Gone\\policy.exe");
}

}  // namespace enginetest
