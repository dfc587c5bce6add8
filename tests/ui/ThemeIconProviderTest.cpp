// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/theme/ThemeIconProvider.h"

#include <QImage>
#include <QQmlComponent>
#include <QQmlEngine>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

class ThemeIconProviderImages : public ::testing::Test {
protected:
    ThemeIconProviderImages() { ThemeIconProvider::install(engine); }
    QImage request(const QString& id) {
        return provider.requestPixmap(id, nullptr, QSize(24, 24)).toImage();
    }
    QQmlEngine engine;
    ThemeIconProvider provider;
};

// The symbol keeps its shape (opaque and clear pixels) and takes the colour QML writes,
// percent-encoded with alpha first.
TEST_F(ThemeIconProviderImages, PaintsTheSymbolInTheRequestedColour) {
    const QImage image = request("system-search-symbolic?color=%2361ff0000");
    ASSERT_EQ(image.size(), QSize(24, 24));
    int inked = 0, clear = 0, maxAlpha = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            maxAlpha = std::max(maxAlpha, pixel.alpha());
            clear += pixel.alpha() == 0;
            if (pixel.alpha() > 0x50) {
                ++inked;
                EXPECT_EQ(pixel.rgb(), qRgb(255, 0, 0)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(inked, 20);
    EXPECT_GT(clear, 100);
    EXPECT_NEAR(maxAlpha, 0x61, 2);
    EXPECT_TRUE(request("no-such-icon-anywhere-symbolic").isNull());
}

// Every symbol the program names exists in the icon theme it ships with.
TEST_F(ThemeIconProviderImages, EverySymbolHasAThemeIcon) {
    QQmlComponent component(&engine);
    component.setData("import QtQml\nimport Tiklo.Theme\nQtObject { property var icons: "
                      "Symbols.icons }",
                      QUrl());
    std::unique_ptr<QObject> object(component.create());
    ASSERT_TRUE(object) << component.errorString().toStdString();
    const QVariantMap icons = object->property("icons").toMap();
    ASSERT_GE(icons.size(), 20);
    for (auto it = icons.cbegin(); it != icons.cend(); ++it) {
        EXPECT_FALSE(request(it.value().toString()).isNull())
            << it.key().toStdString() << " -> " << it.value().toString().toStdString();
    }
}

} // namespace
} // namespace tiklo
