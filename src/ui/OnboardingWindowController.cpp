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

OnboardingWindowController::OnboardingWindowController(QQmlEngine& engine, AppState& state,
                                                       std::chrono::milliseconds unusedLimit)
    : window_(engine,
              {QUrl(QString::fromLatin1(rootView)),
               {{QStringLiteral("appState"), QVariant::fromValue(&state)}},
               QCoreApplication::translate("OnboardingView", "Welcome to Tiklo"),
               size,
               size,
               false,
               {QStringLiteral("step")}},
              unusedLimit) {}

void OnboardingWindowController::show() {
    window_.ensure();
    // Each view made, the first or one made again after a release, ends the guide.
    if (QQuickItem* root = window_.view()->rootObject()) {
        QObject::connect(root, SIGNAL(finished()), &window_, SLOT(discard()), Qt::UniqueConnection);
    }
    window_.centre();
    window_.bringToFront();
}

} // namespace tiklo
