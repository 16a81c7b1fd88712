#pragma once
// Numbers of the program's pictures, commands and private messages. They keep the values the
// rest of the program and its documentation use.

namespace ui::res {

// Pictures (ui/res/bmpNNN_*.png, loaded with ui::LoadBitmap).
inline constexpr int kIconApplication = 128;
inline constexpr int kBmpSidePicture = 130;    // 170 x 195
inline constexpr int kBmpStepMarker = 131;     // 8 x 15
inline constexpr int kBmpSectionBoxes = 132;   // 126 x 26, three 42 x 26 cells
inline constexpr int kBmpBoxTicked = 133;      // 13 x 13
inline constexpr int kBmpBoxEmpty = 134;       // 13 x 13
inline constexpr int kBmpBoxGreyed = 135;      // 13 x 13
inline constexpr int kBmpStatusArrow = 136;    // 14 x 12
inline constexpr int kCursorHand = 137;        // 32 x 32 cursor
inline constexpr int kBmpGreenTick = 138;      // 25 x 25
inline constexpr int kBmpRedCross = 139;       // 25 x 25
inline constexpr int kBmpRowHeight = 140;      // 1 x 68
inline constexpr int kBmpSectionMarker = 141;  // 8 x 15
inline constexpr int kBmpHelpNormal = 142;     // 43 x 38
inline constexpr int kBmpHelpOver = 143;
inline constexpr int kBmpOptionNormal = 144;  // 43 x 38
inline constexpr int kBmpOptionOver = 145;
inline constexpr int kBmpHelpPressed = 146;
inline constexpr int kBmpOptionPressed = 147;
inline constexpr int kBmpScanNormal = 148;  // push buttons: 87 x 29
inline constexpr int kBmpScanOver = 149;
inline constexpr int kBmpScanPressed = 150;
inline constexpr int kBmpPauseOver = 151;
inline constexpr int kBmpPauseNormal = 152;
inline constexpr int kBmpPausePressed = 153;
inline constexpr int kBmpResumeNormal = 154;
inline constexpr int kBmpResumeOver = 155;
inline constexpr int kBmpResumePressed = 156;
inline constexpr int kBmpCancelNormal = 157;
inline constexpr int kBmpCancelOver = 158;
inline constexpr int kBmpCancelPressed = 159;
inline constexpr int kBmpReturnNormal = 160;
inline constexpr int kBmpReturnOver = 161;
inline constexpr int kBmpReturnPressed = 162;
inline constexpr int kBmpRepairAllNormal = 163;
inline constexpr int kBmpRepairAllOver = 164;
inline constexpr int kBmpRepairAllPressed = 165;

// Dialogs and menus.
inline constexpr int kDialogAbout = 100;
inline constexpr int kDialogCleanRestore = 103;
inline constexpr int kDialogCleanRestoreDetail = 104;
inline constexpr int kDialogIgnoredEntries = 105;
inline constexpr int kDialogIERestore = 164;
inline constexpr int kMenuHelp = 146;
inline constexpr int kMenuTools = 147;

// Commands of the popup menus and the frame.
inline constexpr int kCmdUserManual = 9;
inline constexpr int kCmdIERestore = 140;
inline constexpr int kCmdCleanRestore = 143;
inline constexpr int kCmdAbout = 148;
inline constexpr int kCmdHomePage = 57664;
inline constexpr int kCmdHelp = 57670;  // F1
inline constexpr int kCmdChoosePrefix = 32800;
inline constexpr int kCmdIgnoredEntries = 32801;

// Controls of the About box.
inline constexpr int kAboutIcon = 1030;
inline constexpr int kAboutVersion = 1025;
inline constexpr int kAboutMakerLine = 1028;
inline constexpr int kAboutWebLink = 1026;
inline constexpr int kAboutMailLink = 1027;

// The keys every dialog answers: Enter (the default button, else this) and Escape, the close
// box and Alt+F4.
inline constexpr int kEnterKey = 1;
inline constexpr int kEscapeKey = 2;

// Controls of the Clean Restore dialog.
inline constexpr int kCleanRestoreList = 1000;
inline constexpr int kCleanRestoreRestore = 1001;
inline constexpr int kCleanRestoreDelete = 1002;
inline constexpr int kCleanRestoreCaption = 1003;
inline constexpr int kCleanRestoreLine = 1004;
inline constexpr int kCleanRestoreDetail = 1005;
inline constexpr int kCleanRestoreClose = 1006;

// Controls of the Clean Restore detail dialog.
inline constexpr int kDetailLine = 1004;
inline constexpr int kDetailNote = 1005;
inline constexpr int kDetailClose = 1006;
inline constexpr int kDetailList = 40001;

// Controls of the IE Restore dialog.
inline constexpr int kIEHomeBox = 1008;
inline constexpr int kIEHomeEdit = 1009;
inline constexpr int kIEHomeApply = 1010;
inline constexpr int kIETitleBox = 1011;
inline constexpr int kIETitleEdit = 1012;
inline constexpr int kIETitleApply = 1013;
inline constexpr int kIELock = 1014;
inline constexpr int kIEUnlock = 1015;
inline constexpr int kIELockApply = 1016;
inline constexpr int kIECaption = 1017;
inline constexpr int kIEExplanation = 1018;
inline constexpr int kIEGroup = 1019;
inline constexpr int kIELine = 1020;
inline constexpr int kIEClose = 1021;

// Controls of the Ignored Entries dialog.
inline constexpr int kIgnoredList = 1000;
inline constexpr int kIgnoredRemove = 1001;
inline constexpr int kIgnoredRemoveAll = 1002;
inline constexpr int kIgnoredCaption = 1003;
inline constexpr int kIgnoredLine = 1004;
inline constexpr int kIgnoredClose = 1006;

// Status bar.
inline constexpr int kStatusBar = 59393;
inline constexpr int kIndicatorCaps = 59137;
inline constexpr int kIndicatorNum = 59138;
inline constexpr int kIndicatorScroll = 59139;

// Control ids of the main view.
inline constexpr int kSectionList = 10001;
inline constexpr int kScanButton = 10002;
inline constexpr int kSelectAllBox = 10003;
inline constexpr int kOptionButton = 11001;
inline constexpr int kHelpButton = 11002;
inline constexpr int kPauseButton = 20001;
inline constexpr int kCancelScanButton = 20002;
inline constexpr int kStatusArrow = 20003;
inline constexpr int kProblemList = 30001;
inline constexpr int kRepairAllButton = 30002;
inline constexpr int kCancelResultButton = 30003;
inline constexpr int kFirstSectionLink = 30100;
inline constexpr int kRepairLogList = 40001;
inline constexpr int kReturnButton = 40002;

}  // namespace ui::res
