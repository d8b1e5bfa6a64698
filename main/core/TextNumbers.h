#pragma once

// The numbers of the texts the code asks the language table for (LangText.h),
// named after what the English text says. The numbers are the table's, as
// every language's file writes them.
namespace vm::txt {

inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kMoreAt = 3;
inline constexpr int kAlreadyRunning = 7;
inline constexpr int kPleaseOpenDatabase = 8;
inline constexpr int kPleaseRunHost = 9;
inline constexpr int kHostEventFailed = 10;
inline constexpr int kRunHostRegistration = 11;
inline constexpr int kMakerLinkTitle = 12;
inline constexpr int kIntegrateTitle = 13;
inline constexpr int kClose = 17;
inline constexpr int kRestartHostNeeded = 20;
inline constexpr int kRestartHostNow = 21;
inline constexpr int kIntegrationFailed = 22;
inline constexpr int kClickToLaunch = 23;
inline constexpr int kMakerLinkPage = 24;
// The first of the list's four column titles, "Database" first.
inline constexpr int kFirstColumnTitle = 42;
inline constexpr int kOpenIn = 46;
// The first of the seven "Open in" choices, "Contact View" first.
inline constexpr int kFirstViewChoice = 47;
inline constexpr int kDatabaseProperties = 55;
inline constexpr int kHelpMenu = 56;
inline constexpr int kOnlineHelp = 57;
inline constexpr int kAbout = 58;
inline constexpr int kOptionsMenu = 59;
inline constexpr int kIntegrateMenu = 60;
inline constexpr int kLanguagesMenu = 61;
inline constexpr int kOpen = 62;
inline constexpr int kOnlineHelpPage = 63;
inline constexpr int kPickLanguage = 64;
inline constexpr int kLanguages = 65;
inline constexpr int kNoDatabaseSelected = 82;
inline constexpr int kProperties = 83;
inline constexpr int kAdd = 87;
inline constexpr int kRemove = 88;
inline constexpr int kManageList = 89;
inline constexpr int kDatabasesListed = 90;
inline constexpr int kSelectContactLayout = 93;
// The first of the two frames of the integrate dialog, the toolbar's first.
inline constexpr int kToolbarViews = 96;
// The first of the host's six views, "Contacts" first.
inline constexpr int kFirstHostView = 98;
inline constexpr int kSelectDatabaseFirst = 104;
inline constexpr int kEmptyListHint = 105;
inline constexpr int kDatabaseNotAccessible = 106;
inline constexpr int kSettingsFileLocation = 122;
inline constexpr int kSelectDatabase = 123;
inline constexpr int kEditLocations = 124;
inline constexpr int kEditMenu = 125;
inline constexpr int kOpenDatabaseOrCloseHost = 126;
inline constexpr int kQuickSwitchSettings = 127;
inline constexpr int kFileMenu = 128;
inline constexpr int kExit = 129;
inline constexpr int kUsersManual = 130;
inline constexpr int kGeneralTab = 131;
inline constexpr int kDefaultLocationsTab = 132;
inline constexpr int kLogonTab = 133;
inline constexpr int kUseLocationsFrom = 134;
inline constexpr int kUseOwnLocations = 135;
inline constexpr int kUserName = 136;
inline constexpr int kUsePassword = 137;
inline constexpr int kButtons = 138;
inline constexpr int kColourScheme = 139;
inline constexpr int kAssignDatabase = 140;
inline constexpr int kButton = 141;
inline constexpr int kQuickSwitchAtStart = 145;
inline constexpr int kChooseColourScheme = 146;
inline constexpr int kFileType = 147;
inline constexpr int kLocation = 148;
inline constexpr int kConfirmClearLocation = 149;
inline constexpr int kCloseAndLaunch = 150;
inline constexpr int kNoPasswordAtLaunch = 152;
inline constexpr int kBorrowersLeftWithout = 159;

} // namespace vm::txt
