#include "trainer/Help.h"

namespace quillory {
namespace {

constexpr std::string_view kHowToUse =
    "Quillory estimates your chance of winning a hand of Texas hold'em.\n\n"
    "Practice mode: Draw deals a whole hand. Flop, Turn and River show the "
    "board one step at a time, and Showdown uncovers every player's cards "
    "and marks the winners.\n\n"
    "Without practice mode you enter your own cards: Draw, Flop, Turn and "
    "River ask for them, and a Fix button under a card replaces it.\n\n"
    "After every step the winning rate is estimated for the number of "
    "players at the table. Pot and Your Invest. give the expected profit "
    "and how much more you can add before it falls to zero.";

#ifdef __APPLE__
constexpr std::string_view kWhere =
    "The application menu and the window's context menu (right-click the window)";
#else
constexpr std::string_view kWhere = "The window's context menu (right-click the window, or "
                                    "press the menu key or Shift+F10 on a button)";
#endif

void EraseAll(std::string& text, std::string_view part) {
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at)) {
        text.erase(at, part.size());
    }
}

} // namespace

std::string MenuEntryName(std::string_view caption) {
    std::string name(caption);
    EraseAll(name, "&");
    EraseAll(name, "...");
    return name;
}

std::string TrainerHelpText(const std::vector<std::string>& entries, SystemMenu systemMenu) {
    std::string text(kHowToUse);
    if (!entries.empty()) {
        text.append("\n\n").append(kWhere).append(" holds: ");
        for (std::size_t i = 0; i < entries.size(); ++i) {
            text.append(i == 0 ? "" : ", ").append(entries[i]);
        }
        text += '.';
    }
    if (systemMenu == SystemMenu::HoldsAbout) {
        text += "\n\nThe window menu (Alt+Space) holds About Quillory.";
    }
    return text;
}

} // namespace quillory
