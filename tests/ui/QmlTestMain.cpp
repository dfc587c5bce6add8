// Qt Quick Test runner with the program's QML modules and symbol images available.
#include "ui/FakeResultsModel.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QObject>
#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest>

Q_IMPORT_QML_PLUGIN(Tiklo_ThemePlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_PickerPlugin)

class UiTestSetup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        tiklo::ThemeIconProvider::install(*engine);
        qmlRegisterType<tiklo::test::FakeResultsModel>("Tiklo.TestSupport", 1, 0,
                                                       "FakeResultsModel");
    }
};

QUICK_TEST_MAIN_WITH_SETUP(ui_qml, UiTestSetup)

#include "QmlTestMain.moc"
