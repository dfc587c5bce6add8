// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/LoginItem.h"
#include "app/ViewEnums.h"
#include "catalog/EmojiUsage.h"
#include "core/DefaultsStore.h"
#include "core/Hotkey.h"
#include "core/SettingsTable.h"
#include "platform/AccessibilityTrust.h"

#include <string>
#include <vector>

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

namespace tiklo {

// The user's preferences and learned data, and two live system states. Every assignment
// notifies its observers and is saved at once under its key; nothing is saved at exit. What
// happens around the values (usage learning, the hotkey's and the login item's registration,
// exceptions) is done by the services that use the store. Main thread only.
class AppState : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The settings store is made by the program")
    Q_PROPERTY(
        bool masterEnabled READ masterEnabled WRITE setMasterEnabled NOTIFY masterEnabledChanged)
    Q_PROPERTY(
        bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)
    Q_PROPERTY(bool accessibilityGranted READ accessibilityGranted WRITE setAccessibilityGranted
                   NOTIFY accessibilityGrantedChanged)
    Q_PROPERTY(bool x11ApplicationsOnly READ x11ApplicationsOnly WRITE setX11ApplicationsOnly NOTIFY
                   x11ApplicationsOnlyChanged)
    Q_PROPERTY(tiklo::view::CaretTracking caretTracking READ caretTracking WRITE setCaretTracking
                   NOTIFY caretTrackingChanged)
    Q_PROPERTY(
        bool caretTrackingNeedsRestart READ caretTrackingNeedsRestart NOTIFY caretTrackingChanged)
    Q_PROPERTY(tiklo::view::InputMethodSearch inputMethodSearch READ inputMethodSearch WRITE
                   setInputMethodSearch NOTIFY inputMethodSearchChanged)
    Q_PROPERTY(tiklo::view::InputMethodSearch ibusSearch READ ibusSearch WRITE setIbusSearch NOTIFY
                   ibusSearchChanged)
    Q_PROPERTY(tiklo::view::PickerMode pickerMode READ pickerMode WRITE setPickerMode NOTIFY
                   pickerModeChanged)
    Q_PROPERTY(tiklo::view::SkinTone defaultSkinTone READ defaultSkinTone WRITE setDefaultSkinTone
                   NOTIFY defaultSkinToneChanged)
    Q_PROPERTY(
        QString triggerPrefix READ triggerPrefix WRITE setTriggerPrefix NOTIFY triggerPrefixChanged)
    Q_PROPERTY(bool insertSpaceAfterTrigger READ insertSpaceAfterTrigger WRITE
                   setInsertSpaceAfterTrigger NOTIFY insertSpaceAfterTriggerChanged)
    Q_PROPERTY(QString hotkeyDisplay READ hotkeyDisplay NOTIFY hotkeyChanged)
    Q_PROPERTY(QStringList favorites READ favoritesList NOTIFY favoritesChanged)
    Q_PROPERTY(QStringList recents READ recentsList NOTIFY recentsChanged)
    Q_PROPERTY(QVariantMap emojiUsage READ emojiUsageMap NOTIFY emojiUsageChanged)
    // Emoji -> the tone chosen for it ("mediumDark").
    Q_PROPERTY(QVariantMap emojiSkinTones READ emojiSkinTonesMap NOTIFY emojiSkinTonesChanged)
    Q_PROPERTY(QStringList excludedAppIDs READ excludedAppIDsList NOTIFY excludedAppIDsChanged)

public:
    using Favorites = SettingCodecs::StringSet;
    using Usage = SettingCodecs::Usage;
    using SkinTones = SettingCodecs::SkinTones;

    // Assignments made while a batch lives are written together, in one write of the store,
    // when the last batch ends; observers still learn of each at once.
    class Batch {
    public:
        explicit Batch(AppState& state);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        AppState& state_;
    };

    // Loads every setting, and the two live states from the system; writes nothing.
    AppState(DefaultsStore& defaults, AccessibilityTrust& trust, const LoginItem& loginItem,
             QObject* parent = nullptr);

    bool masterEnabled() const { return masterEnabled_; }
    bool launchAtLogin() const { return launchAtLogin_; }
    bool accessibilityGranted() const { return accessibilityGranted_; }
    // Live states of the desktop around the permission: the keys in reach are those of X11
    // applications only (a Wayland session), and whether applications report their carets.
    bool x11ApplicationsOnly() const { return x11ApplicationsOnly_; }
    view::CaretTracking caretTracking() const { return caretTracking_; }
    // Caret tracking came on while Tiklo ran: the applications started before do not report
    // their carets until they are restarted.
    bool caretTrackingNeedsRestart() const { return caretTrackingNeedsRestart_; }
    // Live states too: semicolon search through Tiklo's fcitx5 addon, and through its IBus
    // engine (off while another input source is active).
    view::InputMethodSearch inputMethodSearch() const { return inputMethodSearch_; }
    view::InputMethodSearch ibusSearch() const { return ibusSearch_; }
    view::PickerMode pickerMode() const { return pickerMode_; }
    view::SkinTone defaultSkinTone() const { return defaultSkinTone_; }
    const QString& triggerPrefix() const { return triggerPrefix_; }
    bool insertSpaceAfterTrigger() const { return insertSpaceAfterTrigger_; }
    const Hotkey& hotkey() const { return hotkey_; }
    const Favorites& favorites() const { return favorites_; }
    const std::vector<std::string>& recents() const { return recents_; }
    const Usage& emojiUsage() const { return emojiUsage_; }
    const SkinTones& emojiSkinTones() const { return emojiSkinTones_; }
    // The tone `emoji` is shown and typed in: the one chosen for it, else the default.
    SkinTone skinToneFor(const std::string& emoji) const;
    const std::vector<std::string>& excludedAppIDs() const { return excludedAppIDs_; }

    void setMasterEnabled(bool value);
    // The live registration state; the login item's service keeps the system in step.
    void setLaunchAtLogin(bool value);
    void setAccessibilityGranted(bool value);
    void setX11ApplicationsOnly(bool value);
    void setCaretTracking(view::CaretTracking value);
    void setInputMethodSearch(view::InputMethodSearch value);
    void setIbusSearch(view::InputMethodSearch value);
    void setPickerMode(view::PickerMode value);
    void setDefaultSkinTone(view::SkinTone value);
    // Kept as assigned; stored as its first character.
    void setTriggerPrefix(const QString& value);
    void setInsertSpaceAfterTrigger(bool value);
    void setHotkey(const Hotkey& value);
    void setFavorites(Favorites value);
    void setRecents(std::vector<std::string> value);
    void setEmojiUsage(Usage value);
    void setEmojiSkinTones(SkinTones value);
    void setExcludedAppIDs(std::vector<std::string> value);

    // Takes in what another program stored meanwhile (the input-method addon's learning), and
    // tells the observers of each setting that changed. Nothing happens inside a batch.
    void refreshFromStore();

    // Asks the system to let Tiklo observe and type keys, and shows where to allow it.
    Q_INVOKABLE void requestAccessibility();

    // Stored outside the published properties: read at launch, written by onboarding.
    Q_INVOKABLE bool didCompleteOnboarding() const;
    Q_INVOKABLE void setDidCompleteOnboarding(bool value);

    // The collections and the hotkey as the views show them.
    QString hotkeyDisplay() const { return QString::fromStdString(hotkey_.display()); }
    QStringList favoritesList() const;
    QStringList recentsList() const;
    QVariantMap emojiUsageMap() const;
    QVariantMap emojiSkinTonesMap() const;
    QStringList excludedAppIDsList() const;

signals:
    void masterEnabledChanged();
    void launchAtLoginChanged();
    void accessibilityGrantedChanged();
    void x11ApplicationsOnlyChanged();
    void caretTrackingChanged();
    void inputMethodSearchChanged();
    void ibusSearchChanged();
    void pickerModeChanged();
    void defaultSkinToneChanged();
    void triggerPrefixChanged();
    void insertSpaceAfterTriggerChanged();
    void hotkeyChanged();
    void favoritesChanged();
    void recentsChanged();
    void emojiUsageChanged();
    void emojiSkinTonesChanged();
    void excludedAppIDsChanged();

private:
    void load();
    // Stores `value` under the setting's key, now or with the batch. A value without a stored
    // form (text JSON cannot carry) is not written; the stored one stays.
    template <typename Setting>
    void store(const Setting& setting, const typename Setting::Value& value);
    void endBatch();

    DefaultsStore& defaults_;
    AccessibilityTrust& trust_;
    int batches_ = 0;
    DefaultsStore::Entries pending_;

    bool masterEnabled_ = true;
    bool launchAtLogin_ = false;
    bool accessibilityGranted_ = false;
    bool x11ApplicationsOnly_ = false;
    view::CaretTracking caretTracking_ = view::CaretTracking::Unknown;
    bool caretTrackingNeedsRestart_ = false;
    view::InputMethodSearch inputMethodSearch_ = view::InputMethodSearch::Unknown;
    view::InputMethodSearch ibusSearch_ = view::InputMethodSearch::Unknown;
    view::PickerMode pickerMode_ = view::PickerMode::Grid;
    view::SkinTone defaultSkinTone_ = view::SkinTone::Standard;
    QString triggerPrefix_;
    bool insertSpaceAfterTrigger_ = false;
    Hotkey hotkey_;
    Favorites favorites_;
    std::vector<std::string> recents_;
    Usage emojiUsage_;
    SkinTones emojiSkinTones_;
    std::vector<std::string> excludedAppIDs_;
};

} // namespace tiklo
