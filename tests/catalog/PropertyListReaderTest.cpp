// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/PropertyListReader.h"
#include "catalog/BinaryPropertyList.h"

#include <plist/plist.h>

#include <cstdlib>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Value = PropertyListValue;
using Array = Value::Array;
using Dictionary = Value::Dictionary;

const std::string replacement = "\xEF\xBF\xBD";

constexpr auto parse = &PropertyListReader::parse;

using namespace test; // binary property lists from raw encodings

std::string repeat(std::string_view part, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += part;
    }
    return out;
}

std::string utf16(std::u16string_view text, bool bigEndianOrder) {
    std::string out = bigEndianOrder ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        out += bigEndianOrder ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

TEST(PropertyListReaderTest, XmlKeepsOrderAndMarksOtherLeavesAndBinaryTreesFromLibplistRead) {
    const Value expected(Dictionary{
        {"zebra", Value("Tom & \xF0\x9F\x98\x80")},
        {"apple", Value(Array{Value("a"), Value(), Value(), Value(), Value(), Value(),
                              Value(Dictionary{})})},
        {"bad", Value("x" + replacement + "y")},
    });
    EXPECT_EQ(parse("\xEF\xBB\xBF\n<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                    "<plist version=\"1.0\"><dict>"
                    "<key>zebra</key><string>Tom &amp; \xF0\x9F\x98\x80</string>"
                    "<key>apple</key><array><string>a</string><integer>7</integer>"
                    "<real>1.5</real><true/><date>2020-01-01T00:00:00Z</date>"
                    "<data>AAE=</data><dict/></array>"
                    "<key>bad</key><string>x\xFFy</string>"
                    "</dict></plist>"),
              expected);
    EXPECT_EQ(parse("<plist><string>only</string></plist>"), Value("only"));

    // A binary tree as libplist writes it.
    plist_t root = plist_new_dict();
    plist_t list = plist_new_array();
    plist_array_append_item(list, plist_new_string("\xF0\x9F\x91\x8D thumbs"));
    plist_array_append_item(list, plist_new_uint(42));
    plist_array_append_item(list, plist_new_bool(1));
    plist_dict_set_item(root, "list", list);
    plist_t inner = plist_new_dict();
    plist_dict_set_item(inner, "name", plist_new_string("caf\xC3\xA9"));
    plist_dict_set_item(root, "inner", inner);
    char* raw = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(root, &raw, &length);
    plist_free(root);
    ASSERT_NE(raw, nullptr);
    const std::string bytes(raw, length);
    std::free(raw);

    const Value tree(Dictionary{
        {"list", Value(Array{Value("\xF0\x9F\x91\x8D thumbs"), Value(), Value()})},
        {"inner", Value(Dictionary{{"name", Value("caf\xC3\xA9")}})},
    });
    EXPECT_EQ(parse(bytes), tree);
    // Every truncation loses the trailer that locates the objects.
    for (std::size_t size = 8; size < bytes.size(); ++size) {
        EXPECT_EQ(parse(bytes.substr(0, size)), std::nullopt) << "prefix of " << size;
    }
}

TEST(PropertyListReaderTest, HostileBinaryShapesAreRefusedAndTheDepthLimitIsTheSameInEveryFormat) {
    // Honest writers share leaves: one string referenced a thousand times is fine.
    const std::string shared = "\xAF\x11" + bigEndian(1000, 2) + repeat(ref(1), 1000);
    EXPECT_EQ(parse(binaryPlist({shared, "\x51x"})), Value(Array(1000, Value("x"))));

    // Each container referencing the next one twice would expand to 2^64 nodes.
    std::vector<std::string> bomb;
    for (int i = 0; i < 64; ++i) {
        bomb.push_back("\xA2" + ref(i + 1) + ref(i + 1));
    }
    bomb.push_back("\x51x");
    EXPECT_EQ(parse(binaryPlist(bomb)), std::nullopt);
    // libplist aborts the process reading a UTF-16 key that holds U+0000; a value is fine.
    const std::string nulText("\x62\x00\x61\x00\x00", 5);
    EXPECT_EQ(parse(binaryPlist({"\xD1" + ref(1) + ref(2), nulText, "\x51x"})), std::nullopt);
    EXPECT_EQ(parse(binaryPlist({"\xA1" + ref(1), nulText})),
              Value(Array{Value(std::string("a\0", 2))}));
    // It cuts an ASCII key short there, so the key could pass for another.
    const std::string nulAscii = "\x53" + std::string("a\0b", 3);
    EXPECT_EQ(parse(binaryPlist({"\xD1" + ref(1) + ref(2), nulAscii, "\x51x"})), std::nullopt);
    EXPECT_EQ(parse(binaryPlist({"\xA1" + ref(0)})), std::nullopt);          // cycle
    EXPECT_EQ(parse(binaryPlist({"\xA1" + ref(5), "\x51x"})), std::nullopt); // no object 5
    EXPECT_EQ(parse(binaryPlist({"\xA9" + ref(1)})), std::nullopt); // refs past the objects

    // An array referring `references` times to one string of `length` ASCII characters.
    const auto sharedText = [](std::size_t length, int references) {
        const std::string array =
            "\xAF\x12" + bigEndian(references, 4) + repeat(ref(1), references);
        return binaryPlist({array, "\x5F\x12" + bigEndian(length, 4) + std::string(length, 'a')});
    };
    // libplist copies the string at every reference: 1 MiB of file would become 128 MiB.
    EXPECT_EQ(parse(sharedText(1 << 20, 128)), std::nullopt);
    // Repetition on a smaller scale is what honest writers produce.
    EXPECT_EQ(parse(sharedText(1 << 16, 256)), Value(Array(256, Value(std::string(1 << 16, 'a')))));

    // The depth limit is the same in every format.
    using Nested = std::string (*)(int depth);
    const Nested binary = [](int depth) {
        std::vector<std::string> objects;
        for (int i = 0; i + 1 < depth; ++i) {
            objects.push_back("\xA1" + ref(i + 1));
        }
        objects.push_back("\xA0");
        return binaryPlist(objects);
    };
    const Nested xml = [](int depth) {
        return "<plist>" + repeat("<array>", depth) + repeat("</array>", depth) + "</plist>";
    };
    const Nested text = [](int depth) { return repeat("(", depth) + repeat(")", depth); };
    for (const Nested nested : {binary, xml, text}) {
        EXPECT_TRUE(parse(nested(512)));
        EXPECT_EQ(parse(nested(513)), std::nullopt);
    }
    // Deep enough to overflow the stack in any recursive reader (libplist included).
    EXPECT_EQ(parse(binary(200000)), std::nullopt);
    EXPECT_EQ(parse(xml(1000000)), std::nullopt);
    EXPECT_EQ(parse("<plist>" + repeat("<dict><key>k</key>", 1000000)), std::nullopt);
    EXPECT_EQ(parse(text(1000000)), std::nullopt);
    EXPECT_EQ(parse(repeat("{a=", 1000000)), std::nullopt);
    // Markup in a comment does not nest; an internal DTD subset could hide closing tags.
    EXPECT_TRUE(parse("<plist><!--" + repeat("<array>", 1000) + "--><array/></plist>"));
    EXPECT_EQ(parse("<!DOCTYPE plist [ <!ENTITY x 'y'> ]><plist><string/></plist>"), std::nullopt);
}

TEST(PropertyListReaderTest, TextFormatsInEveryEncodingNestedAndMalformedInputRefused) {
    const Value expected(Dictionary{
        {"plain", Value("a\n\t\r\"\\\a\b\f\v")},
        {"unquoted_key.$-+/:", Value("bare")},
        {"single", Value("it\"s")},
        {"pair", Value("\xF0\x9F\x98\x80\xC3\xA9")},
        {"lone", Value(replacement + "x" + replacement + replacement + "A")},
        {"octal", Value(std::string("\xC3\xA9"
                                    "A\0",
                                    4))},
        {"unknown", Value("q'")},
        {"raw", Value("bad" + replacement + "(")},
    });
    EXPECT_EQ(parse("// header comment\n"
                    "/* block\n comment */ \"plain\" = \"a\\n\\t\\r\\\"\\\\\\a\\b\\f\\v\";\n"
                    "unquoted_key.$-+/: = bare;\n"
                    "'single' = 'it\"s' /* between */ ;\n"
                    "\"pair\" = \"\\UD83D\\UDE00\\U00e9\";\n"
                    "\"lone\" = \"\\UD83Dx\\UDE00\\UD83D\\U0041\";\n"
                    "\"octal\" = \"\\351\\101\\0\";\n"
                    "\"unknown\" = \"\\q\\'\";\n"
                    "\"raw\" = \"bad\xC3(\";"),
              expected);
    EXPECT_EQ(parse(""), Value(Dictionary{}));
    EXPECT_EQ(parse("\xEF\xBB\xBF  // nothing\n/* here */\n"), Value(Dictionary{}));

    const std::u16string text = u"/* c */ \"greeting\" = \"h\u00e9llo \U0001F600\";";
    const Value greeting(Dictionary{{"greeting", Value("h\xC3\xA9llo \xF0\x9F\x98\x80")}});
    EXPECT_EQ(parse(utf16(text, false)), greeting);
    EXPECT_EQ(parse(utf16(text, true)), greeting);
    const std::u16string broken = std::u16string(u"k = \"") + char16_t(0xD83D) + u"\";";
    EXPECT_EQ(parse(utf16(broken, false)), Value(Dictionary{{"k", Value(replacement)}}));
    EXPECT_EQ(parse(utf16(u"<plist><string>x</string></plist>", false)), Value("x"));

    // Old-style plain text, nested.
    const Value nested(Dictionary{
        {"list",
         Value(Array{Value("one"), Value("two"), Value(), Value(Dictionary{{"k", Value("v")}})})},
        {"empty", Value(Array{})},
        {"map", Value(Dictionary{{"x", Value("y")}})},
        {"last", Value("z")},
    });
    EXPECT_EQ(parse("{ list = (one, \"two\", <0fbd 7A>, { k = v; }, );\n"
                    "  empty = ( ); map = { x = \"y\" } ; last = \"z\" }"),
              nested);
    EXPECT_EQ(parse("(a, b)"), Value(Array{Value("a"), Value("b")}));
    EXPECT_EQ(parse("\"just a string\""), Value("just a string"));
    EXPECT_EQ(parse("<>"), Value());

    // Malformed input of every format is refused.
    for (const std::string& input : std::vector<std::string>{
             "bplist00", "bplist00" + std::string(40, '\xFF'), // no trailer, a wrong one
             "<plist><dict><key>a</key>",                      // unclosed
             "<?xml version=\"1.0\"?><plist><dict><key>a</key><string>b</dict></plist>",
             // Strings files: unclosed text or comment, bad escapes, no "=", no ";", two ";".
             "\"a\" = \"b;", "\"a\" = \"\\U12\";", "\"a\" = \"\\400\";", "/* never closed",
             "\"a\" \"b\";", "a = b", "\"a\" = \"b\";;",
             // Text lists: trailing text, missing value, a list as key, missing or doubled comma,
             // odd or non-hex data.
             "{ a = b; } trailing", "{ a = ; }", "{ (x) = y; }", "(a b)", "(a,,)", "<0fb>",
             "<zz>"}) {
        EXPECT_EQ(parse(input), std::nullopt) << input;
    }
}

} // namespace
} // namespace tiklo
