// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SettingsWindowController.h"

#include "app/AppState.h"
#include "ui/settings/SettingsBackend.h"

#include <QQuickItem>
#include <QQuickView>
#include <QtPlugin>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tiklo_SettingsPlugin)

namespace tiklo {
namespace {

constexpr const char* rootView = "qrc:/qt/qml/Tiklo/Settings/SettingsRootView.qml";

} // namespace

SettingsWindowController::SettingsWindowController(QQmlEngine& engine, AppState& state,
                                                   SettingsBackend& backend,
                                                   std::chrono::milliseconds unusedLimit)
    : state_(state), window_(engine,
                             {QUrl(QString::fromLatin1(rootView)),
                              {{QStringLiteral("appState"), QVariant::fromValue(&state)},
                               {QStringLiteral("backend"), QVariant::fromValue(&backend)}},
                              QStringLiteral("Tiklo"),
                              size,
                              minimumSize,
                              true,
                              {QStringLiteral("tab")}},
                             unusedLimit) {}

void SettingsWindowController::show(const QString& page) {
    // Recents and usage as the input-method addon may have changed them.
    state_.refreshFromStore();
    if (window_.ensure()) {
        window_.centre();
    }
    if (QQuickView* view = window_.view(); view != nullptr && !page.isEmpty()) {
        if (QQuickItem* root = view->rootObject()) {
            root->setProperty("tab", page);
        }
    }
    window_.bringToFront();
}

} // namespace tiklo
