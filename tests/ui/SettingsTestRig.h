#pragma once

#include "app/AppExceptions.h"
#include "app/HotkeyRegistration.h"
#include "app/LoginItemSync.h"
#include "catalog/EmojiCatalog.h"
#include "support/FakeAppEnvironment.h"
#include "support/LogCapture.h"
#include "ui/settings/SettingsBackend.h"

#include <memory>

#include <QObject>
#include <QStringList>
#include <QVariantList>

namespace tiklo::test {

// The real store and the services the settings pages use, over fakes of the system and a
// catalog the test fills, with what reached the system and the settings file readable.
class SettingsTestRig : public QObject {
    Q_OBJECT
    Q_PROPERTY(tiklo::AppState* appState READ appState CONSTANT)
    Q_PROPERTY(tiklo::SettingsBackend* backend READ backend CONSTANT)
    // The same, on a desktop that asks for little motion.
    Q_PROPERTY(tiklo::SettingsBackend* stillBackend READ stillBackend CONSTANT)
    // The hotkey the system holds for Tiklo, as people read it; "" when none.
    Q_PROPERTY(QString grabbedHotkey READ grabbedHotkey)
    // The settings file's values: the hotkey's JSON, the excluded ids' JSON, or "".
    Q_PROPERTY(QString storedHotkey READ storedHotkey)
    Q_PROPERTY(QString storedExceptions READ storedExceptions)
    Q_PROPERTY(bool loginItemRegistered READ loginItemRegistered)
    // What was logged since captureLog().
    Q_PROPERTY(QStringList log READ log)

public:
    SettingsTestRig();

    AppState* appState() { return &environment_.state; }
    SettingsBackend* backend() { return &backend_; }
    SettingsBackend* stillBackend() { return &stillBackend_; }
    QString grabbedHotkey() const;
    QString storedHotkey() const;
    QString storedExceptions() const;
    bool loginItemRegistered() const { return environment_.loginService.registered; }
    QStringList log() const { return log_ ? log_->lines : QStringList(); }

    // Every setting back to its default, nothing held elsewhere, an empty catalog, the
    // default hotkey registered, the permission granted.
    Q_INVOKABLE void reset();
    // Items {emoji, name, shortcode, category (0 to 8)}.
    Q_INVOKABLE void setCatalog(const QVariantList& items);
    // Each id learned once.
    Q_INVOKABLE void setUsage(const QStringList& ids);
    Q_INVOKABLE void setFavorites(const QStringList& ids);
    Q_INVOKABLE void setRecents(const QStringList& ids);
    Q_INVOKABLE void setAccessibilityGranted(bool granted);
    Q_INVOKABLE void refuseLoginItem(bool refuse);
    // Another program holds the key (an X keysym) with those modifiers.
    Q_INVOKABLE void holdElsewhere(int keysym, bool ctrl, bool alt, bool shift, bool super);
    // The application in front before Tiklo's window; "" for none.
    Q_INVOKABLE void setLastApplication(const QString& appID);
    Q_INVOKABLE void captureLog();

private:
    FakeAppEnvironment environment_;
    std::unique_ptr<EmojiCatalog> catalog_;
    HotkeyRegistration registration_;
    LoginItemSync loginItemSync_;
    AppExceptions exceptions_;
    SettingsBackend backend_;
    SettingsBackend stillBackend_;
    std::unique_ptr<LogCapture> log_;
};

} // namespace tiklo::test
