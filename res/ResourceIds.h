#pragma once

#include <string_view>

// The program's resources: the About command and item of the window menu,
// the title of its message boxes, the results of a modal dialog, and the
// control ids of the main window (CTrainerDialog::Item); the card and Fix
// ids run in card-slot order.

namespace quillory::res {

// The About item of the window menu and its command id. Window-menu commands
// keep their low four bits for the system, so handlers compare id & 0xFFF0.
inline constexpr int kAboutCommand = 0x0010;
inline constexpr std::string_view kAboutItem = "&About Quillory...";

// Title of the program's message boxes.
inline constexpr std::string_view kMessageTitle = "Quillory";

// Results of a modal dialog.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

namespace trainer {
inline constexpr int kDraw = 1003;
inline constexpr int kWinningRate = 1004;
inline constexpr int kFlop = 1005;
inline constexpr int kTurn = 1006;
inline constexpr int kRiver = 1007;
inline constexpr int kPlayers = 1008;
inline constexpr int kAverageRate = 1009;
inline constexpr int kHands = 1010;
inline constexpr int kShowdown = 1011;
inline constexpr int kPracticeMode = 1012;
inline constexpr int kMore = 1013;
inline constexpr int kHole1 = 1014;
inline constexpr int kHole2 = 1015;
inline constexpr int kFlop1 = 1016;
inline constexpr int kFlop2 = 1017;
inline constexpr int kFlop3 = 1018;
inline constexpr int kTurnCard = 1019;
inline constexpr int kRiverCard = 1020;
inline constexpr int kPot = 1021;
inline constexpr int kInvest = 1022;
inline constexpr int kAddUpTo = 1023;
inline constexpr int kExpectingProfit = 1024;
inline constexpr int kFixHole1 = 1025;
inline constexpr int kFixHole2 = 1026;
inline constexpr int kFixFlop1 = 1027;
inline constexpr int kFixFlop2 = 1028;
inline constexpr int kFixFlop3 = 1029;
inline constexpr int kFixTurn = 1030;
inline constexpr int kFixRiver = 1031;
} // namespace trainer

} // namespace quillory::res
