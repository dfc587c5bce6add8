// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/PropertyListDefaultsFile.h"
#include "catalog/BinaryPropertyList.h"
#include "catalog/FileReading.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <iterator>
#include <numeric>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::string_literals;

namespace tiklo {
namespace {

namespace fs = std::filesystem;

using PlistPtr = std::unique_ptr<void, decltype([](void* node) { plist_free(node); })>;

std::string readFile(const fs::path& path) {
    return readWholeFile(path).value_or("");
}

// Parsed by libplist directly, as any other reader of the file would.
PlistPtr parseFile(const fs::path& path) {
    const std::string bytes = readFile(path);
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &root);
    return PlistPtr(root);
}

// Whether `dict` holds `value` under `key` as the node any reader of the file expects.
bool holds(const PlistPtr& dict, const std::string& key, const DefaultsStore::Value& value) {
    PlistPtr expected;
    if (const auto* flag = std::get_if<bool>(&value)) {
        expected.reset(plist_new_bool(*flag ? 1 : 0));
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        expected.reset(plist_new_string(text->c_str()));
    } else {
        const std::string& bytes = std::get<DefaultsStore::Data>(value).bytes;
        expected.reset(plist_new_data(bytes.data(), bytes.size()));
    }
    const plist_t node = plist_dict_get_item(dict.get(), key.c_str());
    return node != nullptr && plist_compare_node_value(node, expected.get());
}

// What the getters answer under `key`, each that answers at all.
std::vector<DefaultsStore::Value> valuesUnder(const DefaultsStore& store, const std::string& key) {
    std::vector<DefaultsStore::Value> found;
    if (const auto flag = store.boolValue(key)) {
        found.emplace_back(*flag);
    }
    if (auto text = store.stringValue(key)) {
        found.emplace_back(std::move(*text));
    }
    if (auto bytes = store.dataValue(key)) {
        found.emplace_back(DefaultsStore::Data{std::move(*bytes)});
    }
    return found;
}

std::string xmlOf(plist_t node) {
    char* xml = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(node, &xml, &length);
    const std::string text(xml, length);
    plist_to_xml_free(xml);
    return text;
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

unsigned permissionsOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Runs `body` in a child process; its exit code, or -1 when it did not exit.
int exitCodeOfChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every 8 bytes hold the generation, so a torn value cannot pass for a whole one.
std::string blobFor(std::uint64_t generation) {
    std::string blob(1 << 20, '\0');
    for (std::size_t at = 0; at < blob.size(); at += sizeof generation) {
        std::memcpy(blob.data() + at, &generation, sizeof generation);
    }
    return blob;
}

std::optional<std::uint64_t> generationOf(const char* bytes, std::uint64_t length) {
    std::uint64_t generation = 0;
    if (bytes == nullptr || length < sizeof generation) {
        return std::nullopt;
    }
    std::memcpy(&generation, bytes, sizeof generation);
    return std::string(bytes, length) == blobFor(generation) ? std::optional(generation)
                                                             : std::nullopt;
}

// A value of each type, text that XML must escape and every byte value included, comes back
// as written and answers only the getter of its own type.
TEST(PropertyListDefaultsFile, ValuesRoundTripAsTypedXmlInPrivateFoldersAndNulNeverCutsThem) {
    const test::TempDir dir;
    const fs::path path = dir.path() / "made" / "tiklo" / "defaults.plist";
    std::string everyByte(256, '\0');
    std::iota(everyByte.begin(), everyByte.end(), '\0');
    using Data = DefaultsStore::Data;
    const DefaultsStore::Entries entries = {
        {"on", true},
        {"off", false},
        {"text", "😀 <a & b> ]]> \"q\"\n\ttab\r\n  "s},
        {"empty", ""s},
        {"bytes", Data{everyByte}},
        {"none", Data{}},
        {"changed", true}, // a string before: the type changes with the value
    };
    const mode_t previousMask = ::umask(022);
    {
        PropertyListDefaultsFile store(path);
        store.setString("changed", "a string first");
        // Keys and text travel as C strings: with a NUL they stay in memory, never cut short.
        EXPECT_FALSE(store.setString("text", "before\0after"s).ok());
        EXPECT_EQ(store.stringValue("text"), "before\0after"s);
        EXPECT_EQ(PropertyListDefaultsFile(path).stringValue("text"), std::nullopt);
        EXPECT_TRUE(store.write(entries).ok());
        EXPECT_FALSE(store.setBool("key\0with nul"s, true).ok());
        EXPECT_EQ(store.boolValue("key\0with nul"s), true);
    }
    ::umask(previousMask);
    EXPECT_EQ(permissionsOf(path), 0600u);
    EXPECT_EQ(permissionsOf(path.parent_path()), 0700u);
    EXPECT_EQ(permissionsOf(path.parent_path().parent_path()), 0700u);

    ASSERT_TRUE(readFile(path).starts_with("<?xml"));
    const PlistPtr root = parseFile(path);
    ASSERT_EQ(plist_get_node_type(root.get()), PLIST_DICT);
    EXPECT_EQ(plist_dict_get_size(root.get()), entries.size()); // no key cut at its NUL
    PropertyListDefaultsFile reread(path);
    for (const auto& [key, value] : entries) {
        EXPECT_TRUE(holds(root, key, value)) << key;
        EXPECT_EQ(valuesUnder(reread, key), std::vector{value}) << key;
    }
    // Loaded once: reads go on without the file.
    fs::remove(path);
    EXPECT_EQ(reread.dataValue("bytes"), everyByte);
}

TEST(PropertyListDefaultsFile, ReadsBinaryFilesAndWritesBackOtherTypesUntouched) {
    const test::TempDir dir;
    const PlistPtr original(plist_new_dict());
    plist_dict_set_item(original.get(), "on", plist_new_bool(1));
    plist_dict_set_item(original.get(), "name", plist_new_string("ünï"));
    plist_dict_set_item(original.get(), "blob", plist_new_data("\x00\x7F", 2));
    plist_dict_set_item(original.get(), "count", plist_new_uint(7));
    plist_dict_set_item(original.get(), "when", plist_new_date(730000000, 0));
    const plist_t list = plist_new_array();
    plist_array_append_item(list, plist_new_real(0.25));
    plist_array_append_item(list, plist_new_dict());
    plist_dict_set_item(original.get(), "list", list);
    char* binary = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(original.get(), &binary, &length);
    const fs::path path = dir.write("defaults.plist", std::string(binary, length));
    plist_to_bin_free(binary);

    PropertyListDefaultsFile store(path);
    using Values = std::vector<DefaultsStore::Value>;
    EXPECT_EQ(valuesUnder(store, "on"), Values{true});
    EXPECT_EQ(valuesUnder(store, "name"), Values{"ünï"s});
    EXPECT_EQ(valuesUnder(store, "blob"), Values{DefaultsStore::Data{"\x00\x7F"s}});
    for (const char* key : {"count", "when", "list"}) {
        EXPECT_EQ(valuesUnder(store, key), Values{}) << key;
    }
    ASSERT_TRUE(store.setBool("on", false).ok());

    const PlistPtr after = parseFile(path);
    ASSERT_EQ(plist_get_node_type(after.get()), PLIST_DICT);
    EXPECT_EQ(plist_dict_get_size(after.get()), 6u);
    EXPECT_TRUE(holds(after, "on", false));
    for (const char* key : {"name", "blob", "count", "when", "list"}) {
        const plist_t now = plist_dict_get_item(after.get(), key);
        ASSERT_NE(now, nullptr) << key;
        EXPECT_EQ(xmlOf(now), xmlOf(plist_dict_get_item(original.get(), key))) << key;
    }
}

TEST(PropertyListDefaultsFile, RewritesSurviveBeingKilledAtAnyMoment) {
    const test::TempDir dir;
    const fs::path path = dir.path() / "tiklo" / "defaults.plist";
    {
        PropertyListDefaultsFile seed(path);
        seed.setString("note", "kept");
        seed.setData("blob", blobFor(1));
    }
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("random seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uint64_t lastGeneration = 1;
    for (int round = 0; round < 8; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            PropertyListDefaultsFile store(path);
            const auto blob = store.dataValue("blob").value_or("");
            auto generation = generationOf(blob.data(), blob.size()).value_or(0);
            for (bool told = false;; told = true) {
                const Result written = store.setData("blob", blobFor(++generation));
                if (!written || (!told && ::write(ready[1], "w", 1) != 1)) {
                    ::_exit(1);
                }
            }
        }
        // Killed only after one whole rewrite, so every round must show progress.
        char signal = 0;
        ::close(ready[1]);
        const bool wrote = ::read(ready[0], &signal, 1) == 1;
        ::close(ready[0]);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 40000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(wrote && WIFSIGNALED(status)) << "round " << round;

        const PlistPtr root = parseFile(path);
        ASSERT_EQ(plist_get_node_type(root.get()), PLIST_DICT) << "round " << round;
        EXPECT_TRUE(holds(root, "note", "kept"s));
        std::uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(plist_dict_get_item(root.get(), "blob"), &length);
        const auto generation = generationOf(bytes, length);
        ASSERT_TRUE(generation.has_value()) << "torn value in round " << round;
        EXPECT_GT(*generation, lastGeneration);
        lastGeneration = *generation;
        // Besides the file, at most the temporary file being written at the kill.
        const auto names = namesIn(path.parent_path());
        EXPECT_LE(names.size(), 2u);
        EXPECT_TRUE(std::all_of(names.begin(), names.end(), [](const std::string& name) {
            return name == "defaults.plist" || name.starts_with(".defaults.plist.");
        }));
    }
    // The next run clears what the crashes left behind.
    PropertyListDefaultsFile(path).setBool("done", true);
    EXPECT_EQ(namesIn(path.parent_path()), std::vector<std::string>{"defaults.plist"});
}

// Broken XML, a list whose root is no dictionary and a hostile shape are each copied aside
// once, beside earlier copies, before the file is replaced. Which shapes count as hostile is
// tested with the catalog's property-list reader, which shares the check.
TEST(PropertyListDefaultsFile, UnreadableFileIsCopiedAsideOnceBeforeBeingReplaced) {
    // Each level refers twice to the next: 2^60 nodes once expanded.
    std::vector<std::string> doubling = {"\xD1" + test::ref(1) + test::ref(2), "\x52on"};
    for (std::uint64_t i = 2; i < 62; ++i) {
        doubling.push_back("\xA2" + test::ref(i + 1) + test::ref(i + 1));
    }
    doubling.push_back("\x09");
    for (const std::string& unreadable :
         {"<?xml version=\"1.0\"?><plist><dict><key>on</key><true/>\0\xFF"s,
          "<plist version=\"1.0\"><array><true/></array></plist>"s, test::binaryPlist(doubling)}) {
        const test::TempDir dir;
        const fs::path path = dir.write("defaults.plist", unreadable);
        // Copies already named after this second and the next ones the write may fall in.
        std::vector<std::string> names = {"defaults.plist"};
        for (std::time_t second = std::time(nullptr), last = second + 2; second <= last; ++second) {
            std::tm parts{};
            char stamp[32];
            std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", gmtime_r(&second, &parts));
            names.push_back("defaults.plist.corrupt-"s + stamp);
            dir.write(names.back(), "earlier");
        }

        PropertyListDefaultsFile store(path);
        EXPECT_EQ(store.boolValue("on"), std::nullopt);
        EXPECT_TRUE(store.setBool("later", true).ok());
        const std::vector<std::string> present = namesIn(dir.path());
        std::vector<std::string> added;
        std::set_difference(present.begin(), present.end(), names.begin(), names.end(),
                            std::back_inserter(added));
        ASSERT_EQ(added.size(), 1u);
        EXPECT_TRUE(added[0].starts_with("defaults.plist.corrupt-") && added[0].ends_with("Z-1"));
        EXPECT_EQ(readFile(dir.path() / added[0]), unreadable);
        EXPECT_EQ(permissionsOf(dir.path() / added[0]), 0600u);
        for (std::size_t i = 1; i < names.size(); ++i) {
            EXPECT_EQ(readFile(dir.path() / names[i]), "earlier");
        }
        EXPECT_EQ(PropertyListDefaultsFile(path).boolValue("later"), true);

        store.setString("again", "x");
        EXPECT_EQ(namesIn(dir.path()).size(), names.size() + 1);
    }
}

TEST(PropertyListDefaultsFile, UnwritableFolderKeepsValuesInMemory) {
    const test::TempDir dir;
    // Root ignores permissions, so block the folder with a file instead.
    dir.write("blocker", "x");
    const fs::path path = dir.path() / "blocker" / "tiklo" / "defaults.plist";
    test::LogCapture log;
    PropertyListDefaultsFile store(path);
    const Result first = store.setBool("on", true);
    EXPECT_FALSE(first.ok());
    EXPECT_EQ(first.status(), ENOTDIR);
    store.setString("name", "value");
    EXPECT_FALSE(store.setData("blob", "\x01\x02"s).ok());
    // One line for the run of failures, saying why and nothing of the values.
    EXPECT_EQ(log.lines.join('\n').toStdString(),
              "tiklo.settings: The settings could not be written, they are kept in memory: "
              "cannot create the folder: Not a directory");
    EXPECT_EQ(store.boolValue("on"), true);
    EXPECT_EQ(store.stringValue("name"), "value");
    EXPECT_EQ(store.dataValue("blob"), "\x01\x02"s);
    EXPECT_EQ(readFile(dir.path() / "blocker"), "x");

    // Once the folder can be made, the next write saves everything kept meanwhile.
    fs::remove(dir.path() / "blocker");
    EXPECT_TRUE(store.setBool("off", false).ok());
    PropertyListDefaultsFile reread(path);
    EXPECT_EQ(reread.boolValue("on"), true);
    EXPECT_EQ(reread.stringValue("name"), "value");
    EXPECT_EQ(reread.dataValue("blob"), "\x01\x02"s);

    // A failure after a success is news again: a folder now stands where the file was.
    log.lines.clear();
    fs::remove(path);
    fs::create_directories(path / "inside");
    EXPECT_FALSE(store.setBool("on", false).ok());
    EXPECT_FALSE(store.setBool("on", true).ok());
    EXPECT_EQ(log.lines.size(), 1);
}

// Named once in the log and never opened nor written over; the values live on in memory.
TEST(PropertyListDefaultsFile, PathThatCannotBeAFileIsReportedOnceAndLeftAlone) {
    const std::pair<const char*, std::function<void(const fs::path&)>> cases[] = {
        {"a folder", [](const fs::path& path) { fs::create_directory(path); }},
        // Opening it to read would block: the test's time limit (CMakeLists.txt) fails that.
        {"a FIFO", [](const fs::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
        {"a symbolic link to nothing",
         [](const fs::path& path) { fs::create_symlink(path.parent_path() / "gone", path); }},
        {"a loop of symbolic links", [](const fs::path& path) { fs::create_symlink(path, path); }},
    };
    for (const auto& [what, make] : cases) {
        SCOPED_TRACE(what);
        const test::TempDir dir;
        const fs::path path = dir.path() / "defaults.plist";
        make(path);
        const fs::file_type before = fs::symlink_status(path).type();
        test::LogCapture log;
        PropertyListDefaultsFile store(path);
        EXPECT_FALSE(store.setBool("on", true).ok());
        EXPECT_FALSE(store.setData("blob", "x").ok());
        EXPECT_EQ(store.boolValue("on"), true);
        // One line, with no value in it.
        EXPECT_EQ(log.lines.join('\n').toStdString(), "tiklo.settings: The settings file " +
                                                          path.string() + " is " + what +
                                                          ": settings are kept in memory only");
        EXPECT_EQ(fs::symlink_status(path).type(), before);
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"defaults.plist"});
        if (before == fs::file_type::directory) {
            EXPECT_TRUE(fs::is_empty(path));
        }
    }
}

TEST(PropertyListDefaultsFile, FailedWritesKeepTheFileAsItWasAndLeaveNothingBehind) {
    constexpr int failed = 1;
    constexpr int kept = 2;
    constexpr int loaded = 4;
    const auto outcome = [&](PropertyListDefaultsFile& store) {
        const Result written = store.setData("new", "value");
        return (written ? 0 : failed) | (store.dataValue("new") ? kept : 0) |
               (store.boolValue("old") ? loaded : 0);
    };
    const test::TempDir dir;
    const fs::path path = dir.path() / "defaults.plist";
    PropertyListDefaultsFile(path).setBool("old", true);
    const std::string before = readFile(path);

    // Readable but not writable: files are capped below the new one's size.
    EXPECT_EQ(exitCodeOfChild([&] {
                  std::signal(SIGXFSZ, SIG_IGN);
                  const rlimit limit{100, 100};
                  ::setrlimit(RLIMIT_FSIZE, &limit);
                  PropertyListDefaultsFile store(path);
                  return outcome(store);
              }),
              failed | kept | loaded);
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"defaults.plist"});

    // Not readable by this user: it cannot be copied aside, so it must not be replaced.
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    EXPECT_EQ(exitCodeOfChild([&] {
                  if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                      return 100;
                  }
                  PropertyListDefaultsFile store(path);
                  return outcome(store);
              }),
              failed | kept);
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"defaults.plist"});
}

} // namespace
} // namespace tiklo
