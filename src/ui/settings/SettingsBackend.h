// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AppExceptions.h"
#include "app/AppState.h"
#include "app/UsageHistory.h"
#include "catalog/EmojiCatalog.h"
#include "ui/settings/HotkeyRecorder.h"

#include <functional>
#include <optional>

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

namespace tiklo {

// What the settings pages show beyond the store's own values (the catalog's figures, the
// favorites and recents as emoji) and the operations they run on the services around the
// store. Main thread only.
class SettingsBackend : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The settings backend is made with the settings window")
    // Read on first use: the catalog is built then, if it was not yet.
    Q_PROPERTY(int emojiCount READ emojiCount CONSTANT)
    // Emoji left out because the emoji font cannot draw them.
    Q_PROPERTY(int undrawableCount READ undrawableCount CONSTANT)
    // Symbols and kaomoji left out: no installed font draws them.
    Q_PROPERTY(int undrawableTextCount READ undrawableTextCount CONSTANT)
    // Per category in declaration order: {title, symbol, count}.
    Q_PROPERTY(QVariantList categories READ categories CONSTANT)
    // The first miniGridLimit favorites by name, and recents in order: {emoji, shortcode},
    // the emoji in the default skin tone.
    Q_PROPERTY(QVariantList favoriteItems READ favoriteItems NOTIFY favoriteItemsChanged)
    Q_PROPERTY(QVariantList recentItems READ recentItems NOTIFY recentItemsChanged)
    // Per skin tone in declaration order: its sample and label.
    Q_PROPERTY(QStringList skinToneTitles READ skinToneTitles CONSTANT)
    Q_PROPERTY(tiklo::HotkeyRecorder* recorder READ recorder CONSTANT)
    Q_PROPERTY(bool reduceMotion READ reduceMotion CONSTANT)

public:
    static constexpr int miniGridLimit = 30;

    struct Services {
        std::function<const EmojiCatalog&()> catalog;
        AppState& state;
        UsageHistory& history;
        AppExceptions& exceptions;
        HotkeyRegistration& hotkey;
        const KeyboardLayout* layout = nullptr;
        bool reduceMotion = false;
    };

    explicit SettingsBackend(Services services, QObject* parent = nullptr);

    int emojiCount() const;
    int undrawableCount() const;
    int undrawableTextCount() const;
    QVariantList categories() const;
    QVariantList favoriteItems() const;
    QVariantList recentItems() const;
    QStringList skinToneTitles() const;
    HotkeyRecorder* recorder() { return &recorder_; }
    bool reduceMotion() const { return services_.reduceMotion; }

    Q_INVOKABLE void clearRecents();
    Q_INVOKABLE void clearUsage();
    // True when the id was added, and the field that held it is to be emptied.
    Q_INVOKABLE bool addException(const QString& text);
    Q_INVOKABLE void addCurrentAppException();
    Q_INVOKABLE void removeException(const QString& appID);

signals:
    void favoriteItemsChanged();
    void recentItemsChanged();

private:
    QVariantList cells(const std::vector<const EmojiItem*>& items) const;

    Services services_;
    HotkeyRecorder recorder_;
};

} // namespace tiklo
