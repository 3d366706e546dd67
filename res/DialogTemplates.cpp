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
constexpr std::uint32_t kPickList = kTabStop | kBorder | kVScroll;

using C = ControlTemplate;

// clang-format off

// About box.
constexpr std::array kAboutControls{
    C{kNoId, K::Icon,       "",                     {11, 17,  20, 20}, kNoStyle,                 "Quillory icon"},
    C{kNoId, K::Label,      "Quillory Version 1.0", {40, 10, 119,  8}, kNoPrefix,                {}},
    C{kIdOk, K::PushButton, "OK",                   {178, 7,  50, 14}, kButton | kDefaultButton, {}},
};

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

// The card picker: a suit list over a rank list for each of three cards.
constexpr std::array kPickerControls{
    C{picker::kSuit1, K::ListBox,    "",       {7, 7, 79, 36},    kPickList,                "Suit of card 1"},
    C{picker::kRank1, K::ListBox,    "",       {7, 42, 79, 106},  kPickList,                "Rank of card 1"},
    C{picker::kSuit2, K::ListBox,    "",       {99, 7, 79, 36},   kPickList,                "Suit of card 2"},
    C{picker::kRank2, K::ListBox,    "",       {99, 42, 79, 106}, kPickList,                "Rank of card 2"},
    C{picker::kSuit3, K::ListBox,    "",       {191, 7, 79, 36},  kPickList,                "Suit of card 3"},
    C{picker::kRank3, K::ListBox,    "",       {191, 42, 79, 106},kPickList,                "Rank of card 3"},
    C{kIdOk,          K::PushButton, "OK",     {295, 7, 50, 14},  kButton | kDefaultButton, {}},
    C{kIdCancel,      K::PushButton, "Cancel", {295, 24, 50, 14}, kButton,                  {}},
};

// The call advisor: three amounts, a button, the hidden prize field and the
// table of outcomes by the number of callers.
constexpr std::array kAdvisorControls{
    C{kNoId,                 K::Label,      "Current Pot:",            {7, 9, 88, 8},      kNoStyle,    {}},
    C{advisor::kCurrentPot,  K::Edit,       "",                        {100, 7, 60, 14},   kNumberEdit, "Current pot"},
    C{kNoId,                 K::Label,      "Your Investment so far:", {7, 27, 88, 8},     kNoStyle,    {}},
    C{advisor::kInvestSoFar, K::Edit,       "",                        {100, 25, 60, 14},  kNumberEdit, "Your investment so far"},
    C{kNoId,                 K::Label,      "Hou much adding:",        {7, 45, 88, 8},     kNoStyle,    {}},
    C{advisor::kAdding,      K::Edit,       "",                        {100, 43, 60, 14},  kNumberEdit, "How much you are adding"},
    C{advisor::kCalculate,   K::PushButton, "Calculate",               {170, 43, 60, 14},  kButton | kDefaultButton, {}},
    C{kNoId,                 K::Label,      "Expecting prize:",        {250, 9, 80, 8},    kHidden | kDisabled, {}},
    C{advisor::kPrize,       K::Edit,       "",                        {250, 19, 120, 28},
      kBorder | kReadOnly | kMultiLine | kHidden | kDisabled,                                           "Expected prize"},
    C{kNoId,                 K::Label,      "# of players who will call after you.",
                                                                       {7, 67, 200, 8},    kNoStyle,    {}},
    C{advisor::kCallers,     K::ListView,   "",                        {7, 77, 488, 233},  kBorder,
      "Expected profit by the number of players who call after you"},
    C{kIdCancel,             K::PushButton, "Close",                   {445, 316, 50, 14}, kButton,     {}},
    C{advisor::kSummary,     K::Label,      "",                        {7, 319, 430, 8},   kNoPrefix,   "Summary"},
};

// clang-format on

constexpr DialogTemplate kAbout{
    .id = kAboutDialog,
    .caption = "About Quillory",
    .fontFamily = "MS Sans Serif",
    .fontPoints = 8,
    .width = 235,
    .height = 55,
    .style = kSystemMenu | kModalFrame,
    .controls = kAboutControls,
};
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
constexpr DialogTemplate kPicker{
    .id = kCardPickerDialog,
    .caption = "Select Card",
    .fontFamily = "Verdana",
    .fontPoints = 10,
    .width = 352,
    .height = 155,
    .style = kSystemMenu | kModalFrame,
    .controls = kPickerControls,
};
constexpr DialogTemplate kAdvisor{
    .id = kCallAdvisorDialog,
    .caption = "Should I Call?",
    .fontFamily = "Verdana",
    .fontPoints = 10,
    .width = 502,
    .height = 337,
    .style = kSystemMenu | kModalFrame,
    .controls = kAdvisorControls,
};

constexpr std::array<const DialogTemplate*, 4> kAll{&kAbout, &kTrainer, &kPicker, &kAdvisor};

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
