// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/CaretLocator.h"
#include "support/FakeInput.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

// The selection, then the character before the caret, then the one at it; only with the
// permission, a focused element and its text range. A password field is told either way.
TEST(CaretLocatorTest, TriesSelectionThenCharacterBeforeThenAtTheCaretOfAnAllowedTextField) {
    test::FakeAccessibilityTrust trust;
    trust.trusted = true;
    test::FakeAccessibility accessibility;
    const auto element = std::make_shared<test::FakeFocusedElement>();
    accessibility.element = element;
    CaretLocator locator{trust, accessibility};

    element->selection = TextRange{5, 0};
    element->bounds = {{{5, 0}, Rect{}}, {{4, 1}, Rect{300, 100, 9, 17}}};
    EXPECT_EQ(locator.caretRect(), (Rect{300, 100, 9, 17}));

    // At location 0 the "before" candidate is raised to 0 and asked like the last one.
    element->asked.clear();
    element->selection = TextRange{0, 0};
    element->bounds = {{{0, 1}, Rect{10, 100, 8, 1}}}; // one point high: not a caret
    EXPECT_EQ(locator.caretRect(), std::nullopt);
    EXPECT_EQ(element->asked, (std::vector<TextRange>{{0, 0}, {0, 1}, {0, 1}}));
    element->bounds = {{{0, 1}, Rect{10, 100, 8, 1.5}}};
    EXPECT_EQ(locator.caretRect(), (Rect{10, 100, 8, 1.5}));

    element->selection = TextRange{2, 3};
    element->bounds = {{{2, 3}, Rect{40, 60, 30, 20}}};
    EXPECT_EQ(locator.caretRect(), (Rect{40, 60, 30, 20}));

    element->secret = true;
    EXPECT_TRUE(locator.focusedField().secret);
    element->selection.reset(); // not a text element
    EXPECT_TRUE(locator.focusedField().secret);
    EXPECT_EQ(locator.focusedField().caret, std::nullopt);

    element->selection = TextRange{2, 3};
    trust.trusted = false;
    EXPECT_EQ(locator.caretRect(), std::nullopt);
    trust.trusted = true;
    accessibility.element.reset();
    EXPECT_EQ(locator.caretRect(), std::nullopt);
}

} // namespace
} // namespace tiklo
