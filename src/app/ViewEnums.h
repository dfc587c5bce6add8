// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiCategory.h"
#include "catalog/ItemKind.h"
#include "catalog/PickerMode.h"
#include "catalog/SkinTone.h"
#include "platform/AccessibilityBus.h"
#include "platform/InputMethodRoute.h"

#include <optional>

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace tiklo::view {
Q_NAMESPACE
QML_NAMED_ELEMENT(Tiklo)

// The small popup opened by the trigger prefix, or the window opened by the hotkey.
enum class Presentation { Inline, Full };
Q_ENUM_NS(Presentation)

// The enumerations the catalog keeps without Qt, as the views compare them: the same cases
// in the same order, so that converting is a cast (checked below).
enum class PickerMode { Grid, List };
Q_ENUM_NS(PickerMode)

enum class SkinTone { Standard, Light, MediumLight, Medium, MediumDark, Dark };
Q_ENUM_NS(SkinTone)

// All is no category: every category at once.
enum class Category {
    All = -1,
    Smileys,
    People,
    Animals,
    Food,
    Activity,
    Travel,
    Objects,
    Symbols,
    Flags
};
Q_ENUM_NS(Category)

// The full picker's tabs: what kind of item it lists and searches. QML reads the cases of
// every enumeration here unscoped, so they are named apart from the categories' ("Symbols").
enum class Kind { EmojiKind, SymbolKind, KaomojiKind };
Q_ENUM_NS(Kind)

// Whether applications report their carets: the accessibility bus, on, off, or not there
// (Unknown until it answered). The cases of AccessibilityBus::State in its order.
enum class CaretTracking { Unknown, On, Off, Unavailable };
Q_ENUM_NS(CaretTracking)

constexpr CaretTracking fromPlatform(AccessibilityBus::State state) {
    return static_cast<CaretTracking>(state);
}

// Whether Tiklo's fcitx5 addon serves this session (Unknown until asked). The cases of
// InputMethodRoute::State in its order.
enum class InputMethodSearch { Unknown, On, Off, NotInstalled };
Q_ENUM_NS(InputMethodSearch)

constexpr InputMethodSearch fromPlatform(InputMethodRoute::State state) {
    return static_cast<InputMethodSearch>(state);
}

constexpr tiklo::PickerMode toCatalog(PickerMode mode) {
    return static_cast<tiklo::PickerMode>(mode);
}
constexpr PickerMode fromCatalog(tiklo::PickerMode mode) {
    return static_cast<PickerMode>(mode);
}
constexpr tiklo::SkinTone toCatalog(SkinTone tone) {
    return static_cast<tiklo::SkinTone>(tone);
}
constexpr SkinTone fromCatalog(tiklo::SkinTone tone) {
    return static_cast<SkinTone>(tone);
}
constexpr ItemKind toCatalog(Kind kind) {
    return static_cast<ItemKind>(kind);
}
constexpr Kind fromCatalog(ItemKind kind) {
    return static_cast<Kind>(kind);
}
constexpr std::optional<EmojiCategory> toCatalog(Category category) {
    return category == Category::All ? std::nullopt
                                     : std::optional(static_cast<EmojiCategory>(category));
}
constexpr Category fromCatalog(std::optional<EmojiCategory> category) {
    return category ? static_cast<Category>(*category) : Category::All;
}

static_assert(toCatalog(PickerMode::Grid) == tiklo::PickerMode::grid &&
              toCatalog(PickerMode::List) == tiklo::PickerMode::list && allPickerModes.size() == 2);
static_assert(toCatalog(SkinTone::Standard) == tiklo::SkinTone::standard &&
              toCatalog(SkinTone::Light) == tiklo::SkinTone::light &&
              toCatalog(SkinTone::MediumLight) == tiklo::SkinTone::mediumLight &&
              toCatalog(SkinTone::Medium) == tiklo::SkinTone::medium &&
              toCatalog(SkinTone::MediumDark) == tiklo::SkinTone::mediumDark &&
              toCatalog(SkinTone::Dark) == tiklo::SkinTone::dark && allSkinTones.size() == 6);
static_assert(toCatalog(Category::Smileys) == EmojiCategory::smileys &&
              toCatalog(Category::People) == EmojiCategory::people &&
              toCatalog(Category::Animals) == EmojiCategory::animals &&
              toCatalog(Category::Food) == EmojiCategory::food &&
              toCatalog(Category::Activity) == EmojiCategory::activity &&
              toCatalog(Category::Travel) == EmojiCategory::travel &&
              toCatalog(Category::Objects) == EmojiCategory::objects &&
              toCatalog(Category::Symbols) == EmojiCategory::symbols &&
              toCatalog(Category::Flags) == EmojiCategory::flags && allEmojiCategories.size() == 9);

static_assert(toCatalog(Kind::EmojiKind) == ItemKind::emoji &&
              toCatalog(Kind::SymbolKind) == ItemKind::symbol &&
              toCatalog(Kind::KaomojiKind) == ItemKind::kaomoji && allItemKinds.size() == 3);
static_assert(fromPlatform(AccessibilityBus::State::unknown) == CaretTracking::Unknown &&
              fromPlatform(AccessibilityBus::State::on) == CaretTracking::On &&
              fromPlatform(AccessibilityBus::State::off) == CaretTracking::Off &&
              fromPlatform(AccessibilityBus::State::missing) == CaretTracking::Unavailable);
static_assert(fromPlatform(InputMethodRoute::State::unknown) == InputMethodSearch::Unknown &&
              fromPlatform(InputMethodRoute::State::on) == InputMethodSearch::On &&
              fromPlatform(InputMethodRoute::State::off) == InputMethodSearch::Off &&
              fromPlatform(InputMethodRoute::State::notInstalled) ==
                  InputMethodSearch::NotInstalled);

} // namespace tiklo::view
