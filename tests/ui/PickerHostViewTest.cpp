#include "ui/PickerHostFixture.h"

namespace tiklo {
namespace {

std::vector<EmojiItem> pickerItems() {
    using C = EmojiCategory;
    return {
        {"\U0001F600", "grinning face", "grinning", C::smileys, {"smile"}, false},
        {"\U0001F602", "face with tears of joy", "joy", C::smileys, {"laugh"}, false},
        {"\U0001F44D", "thumbs up", "thumbsup", C::people, {"yes"}, true},
        {"\U0001F525", "fire", "fire", C::animals, {"hot"}, false},
        {"\u2764\uFE0F", "red heart", "heart", C::symbols, {"love"}, false},
        {"\u2728", "sparkles", "sparkles", C::symbols, {"magic"}, false},
        {"\U0001F914", "thinking face", "thinking", C::smileys, {"hmm"}, false},
        {"\U0001F64F", "folded hands", "pray", C::people, {"please"}, true},
    };
}

// The inline popup in the picker host, drawn offscreen.
class PickerHostViewTest : public test::PickerHostFixture {
protected:
    PickerHostViewTest() : PickerHostFixture(pickerItems(), view::Presentation::Inline) {
        session.setReplacementBackspaces(1);
        session.refreshResults();
        view.setColor(Qt::transparent); // outside the popup's rounded frame
        load();
    }

    bool show() {
        return showWithFocusOn([this] { return item("searchField"); });
    }
    QQuickItem* item(const char* name) const {
        return view.rootObject() ? view.rootObject()->findChild<QQuickItem*>(name) : nullptr;
    }
    QString text(const char* name) const { return item(name)->property("text").toString(); }
    QQuickItem* row(int index) const {
        QQuickItem* found = nullptr;
        QMetaObject::invokeMethod(item("resultsList"), "itemAtIndex",
                                  Q_RETURN_ARG(QQuickItem*, found), Q_ARG(int, index));
        return found;
    }
    QString rowText(int index, const char* name) const {
        QQuickItem* child = row(index) ? row(index)->findChild<QQuickItem*>(name) : nullptr;
        return child ? child->property("text").toString() : QString();
    }
};

TEST_F(PickerHostViewTest, ShowsTheSessionsResultsInTheDarkPopup) {
    ASSERT_TRUE(show());
    EXPECT_EQ(view.size(), QSize(420, 326));
    ASSERT_EQ(session.resultCount(), 8);
    EXPECT_EQ(item("resultsList")->property("count").toInt(), 8);
    EXPECT_EQ(text("footerCount"), "8 emoji");
    const EmojiItem& first = *session.results().front();
    EXPECT_EQ(rowText(0, "rowEmoji"), QString::fromStdString(first.emoji));
    EXPECT_EQ(rowText(0, "selectedShortcode"), ":" + QString::fromStdString(first.shortcode) + ":");

    const QImage image = grab("inline_picker.png");
    ASSERT_EQ(image.size(), QSize(420, 326));
    // Header on grey 0.141, list on the darker 0.09; the corners outside the frame stay clear.
    const QColor header = image.pixelColor(300, 6);
    EXPECT_NEAR(header.red(), 36, 3);
    EXPECT_EQ(header.red(), header.blue());
    EXPECT_LT(image.pixelColor(210, 230).red(), header.red());
    EXPECT_LT(image.pixelColor(0, 0).red(), 10);
    // The prefix badge is teal.
    const QColor badge = image.pixelColor(item("prefixBadge")->mapToScene({6, 12}).toPoint());
    EXPECT_GT(badge.green(), badge.red() + 10);
    EXPECT_GT(badge.blue(), badge.red());
    // Each row's emoji is drawn in colour, not as a grey outline glyph.
    for (int i = 0; i < 5; ++i) {
        const QQuickItem* emoji = row(i)->findChild<QQuickItem*>("rowEmoji");
        const QRect area = emoji->mapRectToScene({0, 0, emoji->width(), emoji->height()}).toRect();
        int colourful = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                colourful += pixel.hsvSaturation() > 90 && pixel.value() > 60;
            }
        }
        EXPECT_GT(colourful, 40) << "row " << i;
    }
}

TEST_F(PickerHostViewTest, TypingSearchesAndAClickInserts) {
    ASSERT_TRUE(show());
    type("face");
    EXPECT_EQ(session.query(), "face");
    ASSERT_EQ(session.resultCount(), 3);
    EXPECT_EQ(text("footerCount"), "3 emoji");
    EXPECT_TRUE(rowText(0, "rowName").contains("<b>Face</b>"))
        << rowText(0, "rowName").toStdString();
    session.moveSelection(1);
    session.setCommandHeld(true);
    grab("inline_picker_query.png");
    session.setCommandHeld(false);

    const std::string expected = session.results()[1]->emoji;
    QQuickItem* second = row(1);
    QTest::mouseClick(&view, Qt::LeftButton, {},
                      second->mapToScene({second->width() / 2, 15}).toPoint());
    ASSERT_EQ(injector.replaced.size(), 1u);
    EXPECT_EQ(injector.replaced[0].text, expected);
    EXPECT_EQ(hides, 1);
    // The session cleared its query after typing; the field follows.
    EXPECT_EQ(text("searchField"), "");
}

TEST_F(PickerHostViewTest, ShowsTonedEmojiInTheDefaultSkinTone) {
    ASSERT_TRUE(show());
    type("thumbs");
    state.setDefaultSkinTone(view::SkinTone::MediumDark);
    EXPECT_EQ(rowText(0, "rowEmoji"), "\U0001F44D\U0001F3FE");
}

} // namespace
} // namespace tiklo
