#pragma once

#include "app/AppState.h"
#include "picker/PickerSession.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QDir>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

#include <gtest/gtest.h>

namespace tiklo::test {

// The picker window's content over the real session and store and a catalog of the given
// items, in one presentation, drawn offscreen; what was typed and hidden is counted.
class PickerHostFixture : public ::testing::Test, protected FakeAppEnvironment {
protected:
    PickerHostFixture(std::vector<EmojiItem> items, view::Presentation presentation)
        : catalog(std::move(items), [] { return 800000000.0; }) {
        session.setPresentationMode(presentation);
        ThemeIconProvider::install(*view.engine());
        view.setInitialProperties({{"session", QVariant::fromValue<QObject*>(&session)},
                                   {"appState", QVariant::fromValue<QObject*>(&state)}});
        view.setResizeMode(QQuickView::SizeViewToRootObject);
    }

    void load() { view.setSource(QUrl("qrc:/qt/qml/Tiklo/Picker/PickerHostView.qml")); }

    // Shows the view and waits until `field` has the keyboard focus.
    bool showWithFocusOn(const std::function<QQuickItem*()>& field) {
        for (const auto& error : view.errors()) {
            ADD_FAILURE() << error.toString().toStdString();
        }
        view.show();
        view.requestActivate();
        QQuickItem* focused = field();
        return QTest::qWaitForWindowActive(&view) && focused &&
               QTest::qWaitFor([focused] { return focused->hasActiveFocus(); }, 2000);
    }
    void type(const char* text) {
        for (; *text; ++text) {
            QTest::keyClick(&view, *text);
        }
    }
    // The window's picture, saved under the build folder.
    QImage grab(const QString& fileName) {
        QTest::qWait(250); // scroll animation, icon loads
        const QImage image = view.grabWindow();
        const QString path = QDir(TIKLO_UI_SCREENSHOT_DIR).filePath(fileName);
        EXPECT_TRUE(image.save(path)) << path.toStdString();
        return image;
    }

    // A pop-up of the view (a menu, a tool tip) is drawn on the windows' dark background, not
    // as a light box in the desktop's palette; its picture is saved as `fileName`.
    void expectDarkPopup(QObject* popup, const QString& fileName) {
        auto* background = popup->property("background").value<QQuickItem*>();
        ASSERT_NE(background, nullptr);
        const qreal scale = view.devicePixelRatio();
        const QImage image =
            grab(scale == 1 ? fileName
                            : QString(fileName).replace(".png", QString("@%1x.png").arg(scale)));
        // Inside the frame, above any text.
        const QPointF inside = background->mapToScene({4, 2.5}) * view.devicePixelRatio();
        const QColor colour = image.pixelColor(inside.toPoint());
        EXPECT_LT(colour.lightness(), 90) << colour.name().toStdString();
    }

    EmojiCatalog catalog;
    FakeTextInjector injector;
    PickerSession session{
        {[this]() -> const EmojiCatalog& { return catalog; }, state, history, injector}};
    int hides = 0;
    const QMetaObject::Connection hidden =
        QObject::connect(&session, &PickerSession::hideRequested, [this] { ++hides; });
    QQuickView view;
};

} // namespace tiklo::test
