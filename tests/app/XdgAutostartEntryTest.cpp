// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/XdgAutostartEntry.h"
#include "catalog/FileReading.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

TEST(XdgAutostartEntryTest, RegisteredMeansOursAndNotDisabledAndFailuresSayWhy) {
    test::TempDir dir;
    const std::string path = dir.file("autostart/io.tiklo.Tiklo.desktop");
    XdgAutostartEntry entry(path, "/opt/My Apps/ti$klo");
    EXPECT_FALSE(entry.isRegistered());
    EXPECT_TRUE(entry.unregisterItem().ok()); // nothing to remove is no failure

    EXPECT_TRUE(entry.registerItem().ok());
    EXPECT_TRUE(entry.isRegistered());
    const std::string written = readWholeFile(path).value_or("");
    EXPECT_NE(written.find("Exec=\"/opt/My Apps/ti\\$klo\"\n"), std::string::npos) << written;
    EXPECT_TRUE(written.starts_with("[Desktop Entry]\n"));

    // The user (or the desktop's own settings) switched it off.
    dir.write("autostart/io.tiklo.Tiklo.desktop", written + "Hidden=true\n");
    EXPECT_FALSE(entry.isRegistered());
    // A file of the same name that Tiklo did not write.
    dir.write("autostart/io.tiklo.Tiklo.desktop", "[Desktop Entry]\nExec=other\n");
    EXPECT_FALSE(entry.isRegistered());
    // The marker only counts in the main group.
    dir.write("autostart/io.tiklo.Tiklo.desktop",
              "[Desktop Entry]\nExec=x\n[Desktop Action a]\nX-Tiklo-Autostart=true\n");
    EXPECT_FALSE(entry.isRegistered());

    EXPECT_TRUE(entry.registerItem().ok());
    EXPECT_TRUE(entry.unregisterItem().ok());
    EXPECT_FALSE(std::filesystem::exists(path));

    // A file where the folder should be: the failure carries the system's error.
    dir.write("config", "a file where the folder should be");
    XdgAutostartEntry blocked(dir.file("config/autostart/io.tiklo.Tiklo.desktop"),
                              "/usr/bin/tiklo");
    const Result error = blocked.registerItem();
    ASSERT_FALSE(error.ok());
    EXPECT_FALSE(error.description().empty());
    EXPECT_NE(error.status(), 0); // the system's error number
    EXPECT_FALSE(XdgAutostartEntry("x", "").registerItem().ok());
}

} // namespace
} // namespace tiklo
