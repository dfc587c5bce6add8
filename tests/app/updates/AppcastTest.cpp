// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/updates/Appcast.h"
#include "app/updates/AutomaticUpdateChecks.h"
#include "app/updates/DottedVersion.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

DottedVersion version(const char* text) {
    const std::optional<DottedVersion> parsed = DottedVersion::parse(text);
    EXPECT_TRUE(parsed) << text;
    return parsed.value_or(*DottedVersion::parse("0"));
}

TEST(DottedVersionTest, NumbersBetweenDotsCompareNumberByNumber) {
    EXPECT_GT(version("1.10"), version("1.9"));
    EXPECT_GT(version("2"), version("1.99.99"));
    EXPECT_EQ(version("1.2"), version("1.2.0"));
    EXPECT_EQ(version("1.2.0.0.0.0.0.0.0.0.0.0.0.0.0.0"), version("1.2")); // 16 parts at most
    EXPECT_EQ(version(" 3.0 "), version("3"));
    EXPECT_EQ(version("007"), version("7"));
    EXPECT_GT(version("999999999999999999"), version("999999999999999998"));

    for (const char* bad : {"", ".", "1.", ".1", "1..2", "1.a", "v1.0", "1.-1", "1.2b", "1 .2",
                            "1234567890123456789", "1.2.3.4.5.6.7.8.9.10.11.12.13.14.15.16.17"}) {
        EXPECT_FALSE(DottedVersion::parse(bad)) << bad;
    }
}

constexpr const char* sampleFeed = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle">
  <channel>
    <title>Tiklo</title>
    <item>
      <sparkle:version>0.3.0</sparkle:version>
      <sparkle:shortVersionString>0.3</sparkle:shortVersionString>
      <description><![CDATA[<p>Categories</p>]]></description>
      <link>https://tiklo.example/0.3</link>
    </item>
    <item>
      <description>Tenth</description>
      <enclosure url="https://tiklo.example/tiklo_0.10.deb" sparkle:version="0.10"
                 sparkle:shortVersionString="0.10 beta" length="1" type="application/octet-stream"/>
    </item>
    <!-- Dropped: no web address to open, a local file, no version. -->
    <item><sparkle:version>9.0</sparkle:version><link>javascript:alert(1)</link></item>
    <item><sparkle:version>8.0</sparkle:version><link>file:///etc/passwd</link></item>
    <item><title>No version</title><link>https://tiklo.example/none</link></item>
  </channel>
</rss>)";

TEST(AppcastTest, ItemsNeedAVersionAndAWebAddressTheHighestWinsAndAnythingElseIsRejected) {
    const std::optional<Appcast> appcast = Appcast::parse(sampleFeed);
    ASSERT_TRUE(appcast);
    ASSERT_EQ(appcast->items().size(), 2u);
    const AppcastItem& first = appcast->items()[0];
    EXPECT_EQ(std::tie(first.displayVersion, first.releaseNotes, first.downloadPage),
              std::tuple("0.3", "<p>Categories</p>", QUrl("https://tiklo.example/0.3")));
    // Version and address from the enclosure when the item has no element of its own.
    const AppcastItem& newest = appcast->newest();
    EXPECT_EQ(
        std::tie(newest.version, newest.displayVersion, newest.releaseNotes, newest.downloadPage),
        std::tuple(version("0.10"), "0.10 beta", "Tenth",
                   QUrl("https://tiklo.example/tiklo_0.10.deb")));

    // Anything but usable RSS is rejected.
    const char* rejected[] = {
        "",
        "not xml at all",
        // Cut off in the middle.
        R"(<rss version="2.0"><channel><item><sparkle:version)",
        // Well-formed, but no usable item.
        R"(<rss version="2.0"><channel><title>Empty</title></channel></rss>)",
        R"(<rss version="2.0"><channel><item><link>https://a.example/</link></item></channel></rss>)",
        // Not RSS.
        R"(<feed><item><link>https://a.example/</link></item></feed>)",
        // Something after the document.
        R"(<rss xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle"><channel><item>
           <sparkle:version>1.0</sparkle:version><link>https://a.example/</link>
           </item></channel></rss><rss/>)",
        // A relative address.
        R"(<rss xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle"><channel><item>
           <sparkle:version>1.0</sparkle:version><link>/download</link></item></channel></rss>)",
    };
    for (const char* text : rejected) {
        EXPECT_FALSE(Appcast::parse(text)) << text;
    }
}

TEST(AutomaticUpdateChecksTest, DueOnceADayExactly) {
    test::FakeDefaultsStore defaults;
    double now = 700000000.0;
    AutomaticUpdateChecks checks(defaults, [&] { return now; });
    checks.setConsent(true);
    EXPECT_TRUE(checks.isDue()); // never checked
    checks.recordCheck();
    EXPECT_EQ(defaults.dataValue("lastUpdateCheckTime"), "700000000.0");
    const double last = now;
    // A clock set back leaves the last check in the future: it does not block checks for good.
    const std::pair<double, bool> dueAfter[] = {{0, false},    {86399, false}, {86399.9, false},
                                                {86400, true}, {86401, true},  {-1, true}};
    for (const auto& [elapsed, due] : dueAfter) {
        now = last + elapsed;
        EXPECT_EQ(checks.isDue(), due) << elapsed;
    }
    // A stored time that is no number counts as none.
    defaults.putData("lastUpdateCheckTime", "\"yesterday\"");
    now = last;
    EXPECT_TRUE(checks.isDue());
}

} // namespace
} // namespace tiklo
