#include "res/Strings.h"

#include "res/ResourceIds.h"

namespace quillory::res {

std::string_view LoadResourceString(int id) {
    switch (id) {
    case kAboutString:
        return "&About Quillory...";
    default:
        return {};
    }
}

std::string_view HelpText() {
    return "Quillory estimates your chance of winning a hand of Texas hold'em.\n\n"
           "Practice mode: Draw deals a whole hand. Flop, Turn and River show the "
           "board one step at a time, and Showdown uncovers every player's cards "
           "and marks the winners.\n\n"
           "Without practice mode you enter your own cards: Draw, Flop, Turn and "
           "River ask for them, and a Fix button under a card replaces it.\n\n"
           "After every step the winning rate is estimated for the number of "
           "players at the table. Pot and Your Invest. give the expected profit "
           "and how much more you can add before it falls to zero.";
}

} // namespace quillory::res
