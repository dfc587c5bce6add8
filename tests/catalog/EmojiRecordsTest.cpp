#include "catalog/EmojiItem.h"
#include "catalog/EmojiUsage.h"
#include "catalog/PickerMode.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

EmojiItem toned(std::string emoji) {
    return {std::move(emoji), "n", "n", EmojiCategory::people, {}, true};
}

TEST(EmojiItemTest, DisplayEmojiTonesOnlyTheFirstEmojiScalar) {
    EXPECT_EQ(toned("\U0001F44B").displayEmoji(SkinTone::dark), "\U0001F44B\U0001F3FF");
    // Between the base and its variation selector.
    EXPECT_EQ(toned("\u270C\uFE0F").displayEmoji(SkinTone::medium), "\u270C\U0001F3FD\uFE0F");
    // In a joiner sequence only the first person is toned.
    EXPECT_EQ(toned("\U0001F9D1\u200D\U0001F4BB").displayEmoji(SkinTone::light),
              "\U0001F9D1\U0001F3FB\u200D\U0001F4BB");
    // A modifier already there is replaced, not doubled.
    EXPECT_EQ(toned("\U0001F44D\U0001F3FB").displayEmoji(SkinTone::dark), "\U0001F44D\U0001F3FF");
    // Only a modifier base takes a tone: red heart and a digit are left alone, even when
    // the item is marked for tones.
    EXPECT_EQ(toned("\u2764\uFE0F").displayEmoji(SkinTone::dark), "\u2764\uFE0F");
    EXPECT_EQ(toned("a1").displayEmoji(SkinTone::dark), "a1");
    EXPECT_EQ(toned("\U0001F602").displayEmoji(SkinTone::medium), "\U0001F602");
    // No emoji scalar at all: unchanged.
    EXPECT_EQ(toned("abc").displayEmoji(SkinTone::dark), "abc");
    EXPECT_EQ(toned("\U0001F44B").displayEmoji(SkinTone::standard), "\U0001F44B");

    EmojiItem plain = toned("\U0001F44B");
    plain.supportsSkinTone = false;
    for (SkinTone tone : allSkinTones) {
        EXPECT_EQ(plain.displayEmoji(tone), "\U0001F44B");
    }
}

TEST(EmojiItemTest, SearchableTextAndIdentity) {
    EmojiItem item{"\U0001F600",           "Grinning Face",  "grinning",
                   EmojiCategory::smileys, {"face", "grin"}, false};
    EXPECT_EQ(item.searchableText(), "grinning face grinning smileys face grin");
    EXPECT_EQ(item.id(), "grinning");
    item.keywords.clear();
    EXPECT_EQ(item.searchableText(), "grinning face grinning smileys");

    const EmojiItem a{"x", "n", "same", EmojiCategory::objects, {"one", "two"}, false};
    EmojiItem b = a;
    b.keywords = {"two", "one"};
    EXPECT_NE(a, b);
    EXPECT_EQ(a.id(), b.id());
    EXPECT_NE(EmojiItemHash{}(a), EmojiItemHash{}(b));
    EXPECT_EQ(EmojiItemHash{}(a), EmojiItemHash{}(EmojiItem(a)));
}

TEST(EmojiItemTest, JsonFormRoundTripsAndRejectsBadInput) {
    const EmojiItem item{"\u2764\uFE0F",         "red heart", "red_heart",
                         EmojiCategory::symbols, {"love"},    true};
    const nlohmann::json json = item;
    EXPECT_EQ(json.at("category"), "Symbols");
    EXPECT_EQ(json.size(), 6u);
    EXPECT_EQ(json.get<EmojiItem>(), item);

    for (const char* member :
         {"emoji", "name", "shortcode", "category", "keywords", "supportsSkinTone"}) {
        nlohmann::json missing = json;
        missing.erase(member);
        EXPECT_ANY_THROW(missing.get<EmojiItem>()) << member;
    }
    nlohmann::json badCategory = json;
    badCategory["category"] = "symbols";
    EXPECT_ANY_THROW(badCategory.get<EmojiItem>());
    nlohmann::json badFlag = json;
    badFlag["supportsSkinTone"] = 1;
    EXPECT_ANY_THROW(badFlag.get<EmojiItem>());
}

TEST(EnumerationsTest, RawValuesMatchExactly) {
    EXPECT_EQ(emojiCategoryFromRaw("Smileys"), EmojiCategory::smileys);
    EXPECT_EQ(emojiCategoryFromRaw("smileys"), std::nullopt);
    EXPECT_EQ(rawValue(EmojiCategory::flags), "Flags");

    EXPECT_EQ(nlohmann::json("mediumDark").get<SkinTone>(), SkinTone::mediumDark);
    EXPECT_ANY_THROW(nlohmann::json("MediumDark").get<SkinTone>());
    EXPECT_ANY_THROW(nlohmann::json(3).get<SkinTone>());
    EXPECT_EQ(sample(SkinTone::medium), "\U0001F44D\U0001F3FD");
    EXPECT_EQ(sample(SkinTone::standard), "\U0001F44D");

    EXPECT_EQ(pickerModeFromRaw("list"), PickerMode::list);
    EXPECT_EQ(pickerModeFromRaw("Grid"), std::nullopt);
    EXPECT_EQ(nlohmann::json(PickerMode::grid), "grid");
}

TEST(EmojiUsageTest, JsonFormKeepsFractionsAndNeedsBothMembers) {
    const EmojiUsage usage{3, 786000000.25};
    const nlohmann::json json = usage;
    EXPECT_EQ(json.dump(), R"({"count":3,"lastUsedAt":786000000.25})");
    EXPECT_EQ(json.get<EmojiUsage>(), usage);
    EXPECT_ANY_THROW(nlohmann::json::parse(R"({"count":3})").get<EmojiUsage>());
    EXPECT_ANY_THROW(nlohmann::json::parse(R"({"count":"3","lastUsedAt":1})").get<EmojiUsage>());
    EXPECT_ANY_THROW(nlohmann::json::parse(R"({"count":1.5,"lastUsedAt":1})").get<EmojiUsage>());
}

} // namespace
} // namespace tiklo
