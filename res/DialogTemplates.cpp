#include "res/DialogTemplates.h"

#include "res/ResourceIds.h"

#include <array>

namespace quillory::res {
namespace {

using K = ControlKind;

constexpr std::uint32_t kButton = kTabStop;
constexpr std::uint32_t kNumberEdit = kTabStop | kBorder | kDigitsOnly;
constexpr std::uint32_t kFigureEdit = kBorder | kDigitsOnly | kReadOnly;
constexpr std::uint32_t kCardView = kNoHeader;

using C = ControlTemplate;

// clang-format off

// The main window.
constexpr std::array kTrainerControls{
    C{kNoId,                     K::Label,      "Winning rate:",     {7, 53, 48, 8},     kNoStyle,    {}},
    C{trainer::kWinningRate,     K::Label,      "Possibility",       {7, 63, 50, 14},    kBorder,     "Winning rate"},
    C{trainer::kPracticeMode,    K::CheckBox,   "Practice mode",     {7, 7, 102, 10},    kTabStop,    {}},
    C{kNoId,                     K::Label,      "# of Players (including yourself):",
                                                                     {130, 7, 112, 8},   kNoStyle,    {}},
    C{trainer::kPlayers,         K::Edit,       "",                  {249, 7, 42, 14},   kNumberEdit, "Number of players including yourself"},
    C{trainer::kDraw,            K::PushButton, "&Draw",             {7, 33, 50, 14},    kButton,     {}},
    C{trainer::kFlop,            K::PushButton, "&Flop",             {63, 33, 50, 14},   kButton,     {}},
    C{trainer::kTurn,            K::PushButton, "&Turn",             {119, 33, 50, 14},  kButton,     {}},
    C{trainer::kRiver,           K::PushButton, "&River",            {178, 33, 50, 14},  kButton,     {}},
    C{trainer::kShowdown,        K::PushButton, "&Showdown",         {242, 33, 63, 14},  kButton,     {}},
    C{trainer::kHands,           K::ListView,   "",                  {342, 7, 95, 134},  kBorder,     "Hands and results"},
    C{trainer::kHole1,           K::ListView,   "",                  {7, 81, 46, 48},    kCardView,   "Your first card"},
    C{trainer::kHole2,           K::ListView,   "",                  {52, 81, 46, 48},   kCardView,   "Your second card"},
    C{trainer::kFlop1,           K::ListView,   "",                  {112, 81, 46, 48},  kCardView,   "First flop card"},
    C{trainer::kFlop2,           K::ListView,   "",                  {157, 81, 46, 48},  kCardView,   "Second flop card"},
    C{trainer::kFlop3,           K::ListView,   "",                  {202, 81, 46, 48},  kCardView,   "Third flop card"},
    C{trainer::kTurnCard,        K::ListView,   "",                  {247, 81, 46, 48},  kCardView,   "Turn card"},
    C{trainer::kRiverCard,       K::ListView,   "",                  {292, 81, 46, 48},  kCardView,   "River card"},
    C{trainer::kAverageRate,     K::Label,      "-",                 {221, 20, 70, 8},   kNoStyle,    "Average winning rate"},
    C{kNoId,                     K::Label,      "Average winning rate:",
                                                                     {129, 20, 82, 8},   kNoStyle,    {}},
    C{kNoId,                     K::Label,      "&Pot:",             {73, 53, 36, 8},    kNoStyle,    {}},
    C{trainer::kPot,             K::Edit,       "",                  {73, 63, 50, 14},   kNumberEdit, "Pot"},
    C{kNoId,                     K::Label,      "Your &Invest.:",    {129, 53, 45, 8},   kNoStyle,    {}},
    C{trainer::kInvest,          K::Edit,       "",                  {129, 63, 50, 14},  kNumberEdit, "Your investment"},
    C{kNoId,                     K::Label,      "Expecting Profit:", {185, 53, 57, 8},   kNoStyle,    {}},
    C{trainer::kExpectingProfit, K::Edit,       "",                  {185, 63, 56, 14},  kFigureEdit, "Expected profit"},
    C{kNoId,                     K::Label,      "You can add upto:", {247, 53, 67, 8},   kNoStyle,    {}},
    C{trainer::kAddUpTo,         K::Edit,       "",                  {247, 63, 56, 14},  kFigureEdit, "You can add up to"},
    C{trainer::kMore,            K::PushButton, "&More...",          {307, 63, 31, 14},  kButton | kHidden | kDisabled,
                                                                                                      "Export hand statistics"},
    C{trainer::kFixHole1,        K::PushButton, "Fix",               {7, 131, 34, 10},   kButton,     "Fix your first card"},
    C{trainer::kFixHole2,        K::PushButton, "Fix",               {52, 131, 34, 10},  kButton,     "Fix your second card"},
    C{trainer::kFixFlop1,        K::PushButton, "Fix",               {112, 131, 34, 10}, kButton,     "Fix the first flop card"},
    C{trainer::kFixFlop2,        K::PushButton, "Fix",               {157, 131, 34, 10}, kButton,     "Fix the second flop card"},
    C{trainer::kFixFlop3,        K::PushButton, "Fix",               {203, 131, 34, 10}, kButton,     "Fix the third flop card"},
    C{trainer::kFixTurn,         K::PushButton, "Fix",               {248, 131, 34, 10}, kButton,     "Fix the turn card"},
    C{trainer::kFixRiver,        K::PushButton, "Fix",               {292, 131, 34, 10}, kButton,     "Fix the river card"},
};

// clang-format on

constexpr DialogTemplate kTrainer{
    .id = kTrainerDialog,
    .caption = "Quillory",
    .fontFamily = "Verdana",
    .fontPoints = 10,
    .width = 444,
    .height = 148,
    .style = kSystemMenu | kModalFrame,
    .controls = kTrainerControls,
};
constexpr std::array<const DialogTemplate*, 1> kAll{&kTrainer};

} // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate* t : kAll) {
        if (t->id == id) {
            return t;
        }
    }
    return nullptr;
}

std::span<const DialogTemplate* const> AllDialogTemplates() {
    return kAll;
}

} // namespace quillory::res
