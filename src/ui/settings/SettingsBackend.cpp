// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/SettingsBackend.h"

#include "app/ViewEnums.h"
#include "picker/EmojiResultsModel.h"
#include "picker/LibraryItems.h"
#include "picker/PickerChoices.h"

#include <algorithm>

#include <QVariantMap>

namespace tiklo {

SettingsBackend::SettingsBackend(Services services, QObject* parent)
    : QObject(parent), services_(std::move(services)),
      recorder_(services_.hotkey, services_.layout) {
    AppState* state = &services_.state;
    connect(state, &AppState::favoritesChanged, this, &SettingsBackend::favoriteItemsChanged);
    connect(state, &AppState::recentsChanged, this, &SettingsBackend::recentItemsChanged);
    for (const auto changed :
         {&AppState::defaultSkinToneChanged, &AppState::emojiSkinTonesChanged}) {
        connect(state, changed, this, [this] {
            emit favoriteItemsChanged();
            emit recentItemsChanged();
        });
    }
}

int SettingsBackend::emojiCount() const {
    return static_cast<int>(services_.catalog().all().size());
}

int SettingsBackend::undrawableCount() const {
    return static_cast<int>(services_.catalog().sourceReport().undrawable);
}

int SettingsBackend::undrawableTextCount() const {
    return static_cast<int>(services_.catalog().sourceReport().undrawableText);
}

QVariantList SettingsBackend::categories() const {
    const std::vector<EmojiItem>& all = services_.catalog().all();
    QVariantList list;
    for (const EmojiCategory category : allEmojiCategories) {
        const auto count = std::count_if(all.begin(), all.end(), [category](const EmojiItem& item) {
            return item.category == category;
        });
        list.append(QVariantMap{
            {"title", PickerChoices::categoryTitle(category)},
            {"symbol", QString::fromUtf8(symbol(category))},
            {"count", static_cast<int>(count)},
        });
    }
    return list;
}

QVariantList SettingsBackend::favoriteItems() const {
    return cells(LibraryItems::favorites(services_.catalog(), services_.state.favorites()));
}

QVariantList SettingsBackend::recentItems() const {
    return cells(LibraryItems::recents(services_.catalog(), services_.state.recents()));
}

QStringList SettingsBackend::skinToneTitles() const {
    QStringList titles;
    for (const QVariant& tone : PickerChoices::skinTones()) {
        titles.append(tone.toMap().value(QStringLiteral("title")).toString());
    }
    return titles;
}

void SettingsBackend::clearRecents() {
    services_.state.setRecents({});
}

void SettingsBackend::clearUsage() {
    services_.history.clearUsage();
}

bool SettingsBackend::addException(const QString& text) {
    return services_.exceptions.add(text);
}

void SettingsBackend::addCurrentAppException() {
    services_.exceptions.addCurrentApp();
}

void SettingsBackend::removeException(const QString& appID) {
    services_.exceptions.remove(appID);
}

QVariantList SettingsBackend::cells(const std::vector<const EmojiItem*>& items) const {
    QVariantList list;
    const std::size_t shown = std::min<std::size_t>(items.size(), miniGridLimit);
    for (std::size_t i = 0; i < shown; ++i) {
        list.append(QVariantMap{
            {"emoji", EmojiResultsModel::displayText(
                          items[i]->displayEmoji(services_.state.skinToneFor(items[i]->emoji)))},
            {"shortcode", QString::fromStdString(items[i]->shortcode)},
        });
    }
    return list;
}

} // namespace tiklo
