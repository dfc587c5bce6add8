#pragma once

#include "app/Hotkey.h"
#include "app/HotkeyManager.h"
#include "app/LoginItem.h"
#include "catalog/EmojiItem.h"
#include "catalog/EmojiUsage.h"
#include "catalog/PickerMode.h"
#include "catalog/ReferenceClock.h"
#include "catalog/SkinTone.h"
#include "platform/AccessibilityTrust.h"
#include "platform/DefaultsStore.h"
#include "platform/Workspace.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace tiklo {

// The user's preferences and learned data, and two live system states. Every assignment
// is saved at once under its key; nothing is saved at exit. Main thread only.
class AppState : public QObject {
    Q_OBJECT
    Q_PROPERTY(
        bool masterEnabled READ masterEnabled WRITE setMasterEnabled NOTIFY masterEnabledChanged)
    Q_PROPERTY(
        bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)
    Q_PROPERTY(bool accessibilityGranted READ accessibilityGranted WRITE setAccessibilityGranted
                   NOTIFY accessibilityGrantedChanged)
    Q_PROPERTY(
        QString pickerMode READ pickerModeName WRITE setPickerModeName NOTIFY pickerModeChanged)
    Q_PROPERTY(QString defaultSkinTone READ defaultSkinToneName WRITE setDefaultSkinToneName NOTIFY
                   defaultSkinToneChanged)
    Q_PROPERTY(QString triggerPrefix READ triggerPrefixText WRITE setTriggerPrefixText NOTIFY
                   triggerPrefixChanged)
    Q_PROPERTY(bool insertSpaceAfterTrigger READ insertSpaceAfterTrigger WRITE
                   setInsertSpaceAfterTrigger NOTIFY insertSpaceAfterTriggerChanged)
    Q_PROPERTY(QString hotkeyDisplay READ hotkeyDisplay NOTIFY hotkeyChanged)
    Q_PROPERTY(QStringList favorites READ favoritesList NOTIFY favoritesChanged)
    Q_PROPERTY(QStringList recents READ recentsList NOTIFY recentsChanged)
    Q_PROPERTY(QVariantMap emojiUsage READ emojiUsageMap NOTIFY emojiUsageChanged)
    Q_PROPERTY(
        QStringList excludedBundleIDs READ excludedBundleIDsList NOTIFY excludedBundleIDsChanged)

public:
    using Favorites = std::unordered_set<std::string>;
    using Usage = std::unordered_map<std::string, EmojiUsage>;

    static constexpr std::size_t recentsLimit = 36;

    struct Services {
        DefaultsStore& defaults;
        HotkeyManager& hotkeys;
        LoginItem& loginItem;
        Workspace& workspace;
        AccessibilityTrust& trust;
        Clock clock = secondsSinceReferenceDate;
    };

    // Loads every setting; registers nothing (the application does that at start-up).
    explicit AppState(Services services, QObject* parent = nullptr);

    // The running program's store; set once by the composition root.
    static AppState& shared();
    static void setShared(AppState* state);

    bool masterEnabled() const { return masterEnabled_; }
    bool launchAtLogin() const { return launchAtLogin_; }
    bool accessibilityGranted() const { return accessibilityGranted_; }
    PickerMode pickerMode() const { return pickerMode_; }
    SkinTone defaultSkinTone() const { return defaultSkinTone_; }
    const std::string& triggerPrefix() const { return triggerPrefix_; }
    bool insertSpaceAfterTrigger() const { return insertSpaceAfterTrigger_; }
    const Hotkey& hotkey() const { return hotkey_; }
    const Favorites& favorites() const { return favorites_; }
    const std::vector<std::string>& recents() const { return recents_; }
    const Usage& emojiUsage() const { return emojiUsage_; }
    const std::vector<std::string>& excludedBundleIDs() const { return excludedBundleIDs_; }
    std::optional<std::uint32_t> hotkeyID() const { return hotkeyID_; }

    void setMasterEnabled(bool value);
    void setLaunchAtLogin(bool value);
    void setAccessibilityGranted(bool value);
    void setPickerMode(PickerMode value);
    void setDefaultSkinTone(SkinTone value);
    void setTriggerPrefix(const std::string& value);
    void setInsertSpaceAfterTrigger(bool value);
    void setHotkey(const Hotkey& value);
    void setFavorites(Favorites value);
    void setRecents(std::vector<std::string> value);
    void setEmojiUsage(Usage value);
    void setExcludedBundleIDs(std::vector<std::string> value);

    // The action the global hotkey runs: opening the full picker.
    void setHotkeyAction(std::function<void()> action) { hotkeyAction_ = std::move(action); }
    // Registers `hotkey` and keeps its id; run at start-up and after every hotkey change.
    void registerHotkey();
    // Releases the registration at termination.
    void unregisterHotkey();

    // Learning from insertions.
    Q_INVOKABLE void clearUsage();
    void recordUse(const EmojiItem& item);
    void toggleFavorite(const EmojiItem& item);

    // Switches semicolon search off in the application the user came from.
    Q_INVOKABLE void addCurrentAppException();
    Q_INVOKABLE void requestAccessibility();

    // Persisted outside the published properties: read at launch, written by onboarding.
    bool didCompleteOnboarding() const;
    void setDidCompleteOnboarding(bool value);

    // QML-facing forms of the typed properties.
    QString pickerModeName() const;
    void setPickerModeName(const QString& name);
    QString defaultSkinToneName() const;
    void setDefaultSkinToneName(const QString& name);
    QString triggerPrefixText() const { return QString::fromStdString(triggerPrefix_); }
    void setTriggerPrefixText(const QString& text) { setTriggerPrefix(text.toStdString()); }
    QString hotkeyDisplay() const { return QString::fromStdString(hotkey_.display()); }
    QStringList favoritesList() const;
    QStringList recentsList() const;
    QVariantMap emojiUsageMap() const;
    QStringList excludedBundleIDsList() const;

signals:
    void masterEnabledChanged();
    void launchAtLoginChanged();
    void accessibilityGrantedChanged();
    void pickerModeChanged();
    void defaultSkinToneChanged();
    void triggerPrefixChanged();
    void insertSpaceAfterTriggerChanged();
    void hotkeyChanged();
    void favoritesChanged();
    void recentsChanged();
    void emojiUsageChanged();
    void excludedBundleIDsChanged();

private:
    void loadCollections();
    template <typename T> T loadCodable(const std::string& key, T fallback) const;
    template <typename T> void saveCodable(const T& value, const std::string& key);

    Services services_;
    bool masterEnabled_ = true;
    bool launchAtLogin_ = false;
    bool accessibilityGranted_ = false;
    PickerMode pickerMode_ = PickerMode::grid;
    SkinTone defaultSkinTone_ = SkinTone::standard;
    std::string triggerPrefix_;
    bool insertSpaceAfterTrigger_ = false;
    Hotkey hotkey_;
    Favorites favorites_;
    std::vector<std::string> recents_;
    Usage emojiUsage_;
    std::vector<std::string> excludedBundleIDs_;
    std::optional<std::uint32_t> hotkeyID_;
    bool isSyncingLoginItem_ = false;
    std::function<void()> hotkeyAction_;
};

} // namespace tiklo
