#pragma once
// The program's own texts, in one place. Byte strings in Windows-1252 (all plain ASCII here);
// the widgets turn them into QString with Latin-1, which agrees for ASCII.
#include "DrennowVersion.h"

namespace ui::text {

// Application and frame (string resources 57344, 57345, 57346).
inline constexpr const char* kAppName = "Norlix Drennow";
inline constexpr const char* kIdleMessage = "Norlix Drennow: Version " DRENNOW_VERSION_SHORT;
// Added to the idle message when nothing can be written to the open prefix.
inline constexpr const char* kServerRunsStatus =
    " - a wineserver is running: nothing can be written until it stops";
inline constexpr const char* kNotYourPrefixStatus =
    " - the prefix is another user's: it can be scanned, but nothing can be written";
inline constexpr const char* kHelpModePrompt = "Select an object on which to get Help";
// A window manager that ignores the greyed close box still asks the window to close.
inline constexpr const char* kCloseDuringScan =
    "A scan is running: press Cancel to stop it, then close the window.";
inline constexpr const char* kIndicatorCaps = "CAP";
inline constexpr const char* kIndicatorNum = "NUM";
inline constexpr const char* kIndicatorScroll = "SCRL";
inline constexpr const char* kMakerName = "Norlix";
inline constexpr const char* kVersion = DRENNOW_VERSION;

// About box (dialog 100). The maker's texts are ours.
inline constexpr const char* kAboutCaption = "About Norlix Drennow";
inline constexpr const char* kAboutVersion = "Norlix Drennow Version " DRENNOW_VERSION;
inline constexpr const char* kAboutMakerLine = "Copyright (C) 2026 Norlix Utilities";
inline constexpr const char* kWebSite = "https://www.norlix.example/drennow";
inline constexpr const char* kSupportMail = "support@norlix.example";
inline constexpr const char* kOk = "&OK";

// Menus.
inline constexpr const char* kMenuCleanRestore = "Clean Restore";
inline constexpr const char* kMenuIERestore = "IE Restore";
inline constexpr const char* kMenuUserManual = "User Manual";
inline constexpr const char* kMenuAbout = "About Norlix Drennow";
inline constexpr const char* kMenuHomePage = "Go to Norlix HomePage ->";
inline constexpr const char* kManualMissing =
    "The user manual (share/drennow/manual.html) could not be found next to the program.";
// drennow.exe looks for it beside itself, then in share\drennow one folder up.
inline constexpr const char* kManualMissingWindows =
    "The user manual (manual.html) could not be found next to the program.";
inline constexpr const char* kInformation = "Information";

// Main view.
inline constexpr const char* kHeaderTitle = "Norlix Utilities";
inline constexpr const char* kF1Hint = "Press F1 for Help";
inline constexpr const char* kStepOption = "Option";
inline constexpr const char* kStepScan = "Scan";
inline constexpr const char* kStepRepair = "Repair";
inline constexpr const char* kCaptionChoose = "Select the sections you want to check";
inline constexpr const char* kCaptionScanning = "Scaning:";
inline constexpr const char* kCaptionResults = "Detected Problems";
inline constexpr const char* kCaptionRepairLog = "Repair Log";
inline constexpr const char* kSelectAll = "Select All";
inline constexpr const char* kScanStatus = "Scan Status:";
inline constexpr const char* kProblemsFoundSuffix = " problem(s) found";
inline constexpr const char* kNoProblems = "No Problems Detected!";
inline constexpr const char* kPause = "&Pause";
inline constexpr const char* kPauseAtStart = "Pause";  // the text at creation
inline constexpr const char* kResume = "&Resume";
inline constexpr const char* kButtonOption = "Option";
inline constexpr const char* kButtonHelp = "Help";
inline constexpr const char* kButtonScan = "Scan";
inline constexpr const char* kButtonCancel = "Cancel";
inline constexpr const char* kButtonRepairAll = "Repair All";
inline constexpr const char* kButtonReturn = "Return";

// Problem list: the line labels are exactly 12 characters.
inline constexpr const char* kLineSection = "Section:    ";
inline constexpr const char* kLineValue = "Value:      ";
inline constexpr const char* kLineCorrection = "Correction: ";
inline constexpr const char* kChoiceDelete = "Delete this Entry";
inline constexpr const char* kChoiceLeave = "Leave this entry without change";
inline constexpr const char* kRepaired = "Repaired";

// Clean Restore dialogs (dialogs 103 and 104).
inline constexpr const char* kCleanRestoreCaption = "Clean Restore";
inline constexpr const char* kCleanRestoreDetailCaption = "Clean Restore - Detail";
inline constexpr const char* kCleanRestoreHeading = "Restore any previous registry backups...";
inline constexpr const char* kColumnBackupTime = "Backup Time";
inline constexpr const char* kColumnBackupCounts = "Backup Counts";
inline constexpr const char* kButtonDetail = "Detail";
inline constexpr const char* kButtonRestore = "Restore";
inline constexpr const char* kButtonDelete = "Delete";
inline constexpr const char* kButtonClose = "&Close";

// IE Restore dialog (dialog 164).
inline constexpr const char* kIERestoreCaption = "IE Restore";
inline constexpr const char* kIERestoreExplanation =
    "Some malicious websites or applications change your default browser homepage, or set "
    "your brower to automatically open their website when Windows starts. You can use this "
    "feature to avoid this from happening.";
inline constexpr const char* kIEHomeBox = "Set IE Home Page to the following page";
inline constexpr const char* kIETitleBox = "Set IE Window Title to the following";
inline constexpr const char* kIELock = "Lock Registry Edit (Regedit)";
inline constexpr const char* kIEUnlock = "Unlock Registry Edit (Regedit)";
inline constexpr const char* kButtonApply = "Apply";
inline constexpr const char* kButtonPlainClose = "Close";  // IE Restore's, without a mnemonic

}  // namespace ui::text
