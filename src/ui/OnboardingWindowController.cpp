// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/OnboardingWindowController.h"

#include "app/AppState.h"

#include <QCoreApplication>
#include <QQuickItem>
#include <QQuickView>
#include <QtPlugin>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tiklo_OnboardingPlugin)

namespace tiklo {
namespace {

constexpr const char* rootView = "qrc:/qt/qml/Tiklo/Onboarding/OnboardingView.qml";

} // namespace

OnboardingWindowController::OnboardingWindowController(QQmlEngine& engine, AppState& state)
    : window_(engine, {QUrl(QString::fromLatin1(rootView)),
                       {{QStringLiteral("appState"), QVariant::fromValue(&state)}},
                       QCoreApplication::translate("OnboardingView", "Welcome to Tiklo"),
                       size,
                       size,
                       false}) {}

void OnboardingWindowController::show() {
    if (window_.ensure() && window_.view()->rootObject() != nullptr) {
        QObject::connect(window_.view()->rootObject(), SIGNAL(finished()), &window_,
                         SLOT(discard()));
    }
    window_.centre();
    window_.bringToFront();
}

} // namespace tiklo
