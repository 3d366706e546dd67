// The main window's help text: how the window is used, then the context
// menu's entries by name and the system menu where there is one.
#include "trainer/Help.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(Help, NamesTheMenuEntriesWithoutMarksAndTheSystemMenuWhereThereIsOne) {
    EXPECT_EQ(MenuEntryName("Should I &Call?..."), "Should I Call?");
    EXPECT_EQ(MenuEntryName("E&quity Calculator..."), "Equity Calculator");

    const std::string plain = TrainerHelpText({}, SystemMenu::Absent);
    EXPECT_EQ(plain.rfind("Quillory estimates your chance", 0), 0U);
    EXPECT_EQ(plain.find("holds"), std::string::npos);

    const std::string full =
        TrainerHelpText({"Should I Call?", "Hand Statistics"}, SystemMenu::HoldsAbout);
    EXPECT_EQ(full.rfind(plain, 0), 0U);
#ifndef __APPLE__
    EXPECT_EQ(full.substr(plain.size()),
              "\n\nThe window's context menu (right-click the window, or press the menu key or "
              "Shift+F10 on a button) holds: Should I Call?, Hand Statistics.\n\n"
              "The window menu (Alt+Space) holds About Quillory.");
#endif
}

} // namespace
} // namespace quillory
