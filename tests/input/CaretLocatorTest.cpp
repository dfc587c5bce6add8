// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/CaretLocator.h"
#include "support/FakeInput.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

class CaretLocatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        trust.trusted = true;
        accessibility.element = element;
    }

    test::FakeAccessibilityTrust trust;
    test::FakeAccessibility accessibility;
    std::shared_ptr<test::FakeFocusedElement> element =
        std::make_shared<test::FakeFocusedElement>();
    CaretLocator locator{trust, accessibility};
};

TEST_F(CaretLocatorTest, TriesSelectionThenCharacterBeforeThenAtTheCaret) {
    element->selection = TextRange{5, 0};
    element->bounds = {{{5, 0}, Rect{}}, {{4, 1}, Rect{300, 100, 9, 17}}};
    EXPECT_EQ(locator.caretRect(), (Rect{300, 100, 9, 17}));

    // At location 0 the "before" candidate is raised to 0 and asked like the last one.
    element->asked.clear();
    element->selection = TextRange{0, 0};
    element->bounds = {{{0, 1}, Rect{10, 100, 8, 1}}}; // one point high: not a caret
    EXPECT_EQ(locator.caretRect(), std::nullopt);
    EXPECT_EQ(element->asked, (std::vector<TextRange>{{0, 0}, {0, 1}, {0, 1}}));

    element->selection = TextRange{2, 3};
    element->bounds = {{{2, 3}, Rect{40, 60, 30, 20}}};
    EXPECT_EQ(locator.caretRect(), (Rect{40, 60, 30, 20}));
}

TEST_F(CaretLocatorTest, NothingWithoutPermissionElementOrTextRange) {
    element->selection = TextRange{1, 0};
    element->bounds = {{{0, 1}, Rect{1, 1, 5, 15}}};
    trust.trusted = false;
    EXPECT_EQ(locator.caretRect(), std::nullopt);
    trust.trusted = true;
    element->selection.reset(); // not a text element
    EXPECT_EQ(locator.caretRect(), std::nullopt);
    accessibility.element.reset();
    EXPECT_EQ(locator.caretRect(), std::nullopt);
}

TEST_F(CaretLocatorTest, APasswordFieldIsToldWithOrWithoutACaret) {
    element->secret = true;
    element->selection = TextRange{3, 0};
    element->bounds = {{{2, 1}, Rect{300, 100, 9, 17}}};
    FocusedField field = locator.focusedField();
    EXPECT_TRUE(field.secret);
    EXPECT_EQ(field.caret, (Rect{300, 100, 9, 17}));
    element->selection.reset();
    field = locator.focusedField();
    EXPECT_TRUE(field.secret);
    EXPECT_EQ(field.caret, std::nullopt);
    element->secret = false;
    EXPECT_FALSE(locator.focusedField().secret);
}

} // namespace
} // namespace tiklo
