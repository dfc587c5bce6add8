// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AppExceptions.h"
#include "app/HotkeyRegistration.h"
#include "app/LoginItemSync.h"
#include "catalog/EmojiCatalog.h"
#include "picker/PickerSession.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"
#include "ui/settings/SettingsBackend.h"

#include <memory>

#include <QObject>
#include <QStringList>
#include <QVariantList>

namespace tiklo::test {

// The real session, store and settings services behind the views under Qt Quick Test, over
// fakes of the system and an in-memory catalog the test fills; what the session asked for, what
// reached the system and the settings file are readable.
class QmlTestRig : public QObject {
    Q_OBJECT
    Q_PROPERTY(tiklo::PickerSession* session READ session CONSTANT)
    Q_PROPERTY(tiklo::AppState* appState READ appState CONSTANT)
    Q_PROPERTY(tiklo::SettingsBackend* backend READ backend CONSTANT)
    // The texts handed to the injector, in order.
    Q_PROPERTY(QStringList typed READ typed)
    Q_PROPERTY(int hides READ hides)
    // Cancellations: the target application brought back without typing.
    Q_PROPERTY(int closes READ closes)
    // Requests for the accessibility permission made through the store.
    Q_PROPERTY(int accessibilityRequests READ accessibilityRequests)
    // The hotkey the system holds for Tiklo, as people read it; "" when none.
    Q_PROPERTY(QString grabbedHotkey READ grabbedHotkey)
    // The settings file's values: the hotkey's JSON, the excluded ids' JSON, or "".
    Q_PROPERTY(QString storedHotkey READ storedHotkey)
    Q_PROPERTY(QString storedExceptions READ storedExceptions)
    Q_PROPERTY(bool loginItemRegistered READ loginItemRegistered)

public:
    QmlTestRig();

    PickerSession* session() { return &session_; }
    AppState* appState() { return &environment_.state; }
    SettingsBackend* backend() { return &backend_; }
    QStringList typed() const;
    int hides() const { return hides_; }
    int closes() const { return static_cast<int>(injector_.reactivated.size()); }
    int accessibilityRequests() const { return environment_.trust.requests; }
    QString grabbedHotkey() const;
    QString storedHotkey() const;
    QString storedExceptions() const;
    bool loginItemRegistered() const { return environment_.loginService.registered; }

    // A fresh inline popup over an empty catalog, with nothing asked for yet; every setting
    // back to its default, nothing held elsewhere, the default hotkey registered, the
    // permission granted.
    Q_INVOKABLE void reset();
    // `count` items, named "item 00", "item 01"... or by `names`, in that order in the
    // results: each with an emoji of its own that no built-in ranking favours.
    Q_INVOKABLE void fill(int count, const QStringList& names = {});
    // One more item that takes a skin tone: a waving hand.
    Q_INVOKABLE void addHand(const QString& name);
    // Items {emoji, name, shortcode, category (0 to 8), supportsSkinTone}.
    Q_INVOKABLE void setCatalog(const QVariantList& items);
    // Each id learned once.
    Q_INVOKABLE void setUsage(const QStringList& ids);
    Q_INVOKABLE void setFavorites(const QStringList& ids);
    Q_INVOKABLE void setRecents(const QStringList& ids);
    Q_INVOKABLE void refuseLoginItem(bool refuse);
    // Another program holds the key (an X keysym) with those modifiers.
    Q_INVOKABLE void holdElsewhere(int keysym, bool ctrl, bool alt, bool shift, bool super);
    // The application in front before Tiklo's window; "" for none.
    Q_INVOKABLE void setLastApplication(const QString& appID);

private:
    void replaceCatalog();

    FakeAppEnvironment environment_;
    FakeTextInjector injector_;
    std::vector<EmojiItem> items_;
    std::unique_ptr<EmojiCatalog> catalog_;
    PickerSession session_;
    HotkeyRegistration registration_;
    LoginItemSync loginItemSync_;
    AppExceptions exceptions_;
    SettingsBackend backend_;
    int hides_ = 0;
};

} // namespace tiklo::test
