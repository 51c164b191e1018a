#pragma once
// Help topic numbers: the popups of the main window and the Help button of every dialog.

namespace quoxa::help {

constexpr int kContents = 1;
constexpr int kFileCommands = 2;
constexpr int kKeyboard = 3;
constexpr int kBlocks = 4;
constexpr int kMenus = 5;
constexpr int kToolBar = 8;
constexpr int kOptions = 17;
constexpr int kStatusAddress = 35;
constexpr int kStatusChar = 36;
constexpr int kStatusMode = 37;
constexpr int kStatusMessages = 38;
constexpr int kTextGrid = 39;
constexpr int kHexGrid = 40;
constexpr int kOptionsGeneral = 42;
constexpr int kOptionsAppearance = 43;
constexpr int kOptionsShortcut = 44;
constexpr int kInsertString = 50;
constexpr int kFind = 51;
constexpr int kCount = 52;
constexpr int kReplace = 53;
constexpr int kGoto = 54;
constexpr int kBlockChars = 56;
constexpr int kPrint = 64;
constexpr int kPreview = 65;
constexpr int kAddressColumn = 70;
constexpr int kOverwriteString = 72;
constexpr int kScript = 80;
constexpr int kCharTable = 81;
constexpr int kDecodeNumber = 82;
constexpr int kEncodeNumber = 83;
constexpr int kBitManipulation = 84;
constexpr int kFileDialog = 85;
constexpr int kAbout = 86;
constexpr int kExport = 90;
constexpr int kImport = 91;
// The status bar as a whole: the popup shows the topic of the panel under the mouse.
constexpr int kStatusBar = 999;

// The status panel topic for panel 0..3.
constexpr int StatusPanelTopic(int panel) { return kStatusAddress + panel; }

}  // namespace quoxa::help
