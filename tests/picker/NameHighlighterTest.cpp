#include "picker/NameHighlighter.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

TEST(NameHighlighterTest, MarksTheFirstOccurrenceIgnoringCaseAndDiacritics) {
    EXPECT_EQ(NameHighlighter::highlight("thumbs up", ":THUMBS_UP:"),
              (HighlightedName{"", "Thumbs up", ""}));
    EXPECT_EQ(NameHighlighter::highlight("red heart heart", " heart\n"),
              (HighlightedName{"Red ", "heart", " heart"}));
    EXPECT_EQ(NameHighlighter::highlight("piñata", "PINA"), (HighlightedName{"", "Piña", "ta"}));
    EXPECT_EQ(NameHighlighter::highlight("flag: Côte d’Ivoire", "cote"),
              (HighlightedName{"Flag: ", "Côte", " d’Ivoire"}));
    EXPECT_EQ(NameHighlighter::highlight("fire", "water"), (HighlightedName{"Fire", "", ""}));
    EXPECT_EQ(NameHighlighter::highlight("fire", "::"), (HighlightedName{"Fire", "", ""}));
    EXPECT_EQ(NameHighlighter::displayName("élan"), "Élan");
    EXPECT_EQ(NameHighlighter::displayName(""), "");
}

} // namespace
} // namespace tiklo
