// SPDX-License-Identifier: GPL-3.0-or-later
// Qt Quick Test runner with the program's QML modules, symbol images, and the real session
// and store behind the views (as the singleton Rig of Tiklo.TestSupport).
#include "ui/QmlTestRig.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QObject>
#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest>

Q_IMPORT_QML_PLUGIN(Tiklo_AppPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_SessionPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_ThemePlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_PickerPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_SettingsPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_OnboardingPlugin)

class UiTestSetup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        tiklo::ThemeIconProvider::install(*engine);
        rig_ = std::make_unique<tiklo::test::QmlTestRig>();
        qmlRegisterSingletonInstance("Tiklo.TestSupport", 1, 0, "Rig", rig_.get());
    }

private:
    // Lives as long as the engine: the test ends before this object does.
    std::unique_ptr<tiklo::test::QmlTestRig> rig_;
};

QUICK_TEST_MAIN_WITH_SETUP(ui_qml, UiTestSetup)

#include "QmlTestMain.moc"
