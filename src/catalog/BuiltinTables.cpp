// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/BuiltinTables.h"

#include "catalog/SymbolTables.h"
#include "catalog/Unicode.h"

#include <array>
#include <string_view>
#include <utility>

namespace tiklo {
namespace {

// Well-known emoji: the first alias is the preferred shortcode, the others are keywords.
const std::vector<std::pair<std::string, std::vector<std::string>>>& aliasTable() {
    static const std::vector<std::pair<std::string, std::vector<std::string>>> table{
        {"\U0001F600", {"grinning", "happy", "smile"}},
        {"\U0001F603", {"smiley", "happy", "smile"}},
        {"\U0001F604", {"smile", "happy", "joy", "laugh", "pleased"}},
        {"\U0001F601", {"grin", "happy", "smile"}},
        {"\U0001F606", {"laughing", "laugh", "lol", "haha"}},
        {"\U0001F602", {"joy", "laugh", "tears", "lol", "haha", "cry_laughing"}},
        {"\U0001F923", {"rofl", "laugh", "lol", "haha", "floor_laughing"}},
        {"\U0001F60A", {"blush", "smile", "happy", "warm"}},
        {"\U0001F642", {"slight_smile", "smile"}},
        {"\U0001F609", {"wink", "winky"}},
        {"\U0001F60D", {"heart_eyes", "love", "crush", "adore"}},
        {"\U0001F970", {"smiling_hearts", "love", "affection"}},
        {"\U0001F618", {"kissing_heart", "kiss", "love"}},
        {"\U0001F60E", {"sunglasses", "cool"}},
        {"\U0001F913", {"nerd", "geek", "smart"}},
        {"\U0001F973", {"partying", "party", "celebrate"}},
        {"\U0001F62C", {"grimacing", "awkward"}},
        {"\U0001F914", {"thinking", "hmm"}},
        {"\U0001F62D", {"sob", "cry"}},
        {"\U0001F622", {"cry", "sad"}},
        {"\U0001F621", {"angry", "mad"}},
        {"\U0001F631", {"scream", "shock"}},
        {"\U0001F92F", {"mind_blown", "brain"}},
        {"\U0001F44B", {"wave", "hello", "bye"}},
        {"\U0001F44C", {"ok_hand", "ok", "perfect"}},
        {"\U0000270C\U0000FE0F", {"v", "victory", "peace"}},
        {"\U0001F44D", {"thumbsup", "thumbs_up", "yes", "approve"}},
        {"\U0001F44E", {"thumbsdown", "thumbs_down", "no"}},
        {"\U0001F44F", {"clap", "applause"}},
        {"\U0001F64C", {"raised_hands", "celebrate"}},
        {"\U0001FAF6", {"heart_hands", "love"}},
        {"\U0001F64F", {"pray", "thanks", "please"}},
        {"\U0001F4AA", {"muscle", "strong"}},
        {"\U0001F9E0", {"brain", "mind", "smart"}},
        {"\U0001F440", {"eyes", "look"}},
        {"\U0001F9D1\U0000200D\U0001F4BB", {"technologist", "developer", "programmer", "coder"}},
        {"\U00002764\U0000FE0F", {"heart", "love", "red_heart"}},
        {"\U0001F9E1", {"orange_heart", "love"}},
        {"\U0001F49B", {"yellow_heart", "love"}},
        {"\U0001F49A", {"green_heart", "love"}},
        {"\U0001F499", {"blue_heart", "love"}},
        {"\U0001F49C", {"purple_heart", "love"}},
        {"\U0001F494", {"broken_heart"}},
        {"\U00002728", {"sparkles", "magic"}},
        {"\U0001F525", {"fire", "lit", "hot"}},
        {"\U0001F4AF", {"100", "hundred", "perfect"}},
        {"\U00002705", {"white_check_mark", "check", "done", "yes"}},
        {"\U00002611\U0000FE0F", {"ballot_box_with_check", "check", "done"}},
        {"\U0000274C", {"x", "cross", "no"}},
        {"\U000026A0\U0000FE0F", {"warning", "alert"}},
        {"\U0001F6A8", {"rotating_light", "alert"}},
        {"\U0001F4BB", {"laptop", "computer", "mac"}},
        {"\U00002328\U0000FE0F", {"keyboard", "typing"}},
        {"\U0001F4F1", {"iphone", "phone"}},
        {"\U0001F4A1", {"bulb", "idea"}},
        {"\U00002699\U0000FE0F", {"gear", "settings"}},
        {"\U0001F512", {"lock", "secure"}},
        {"\U0001F511", {"key", "password"}},
        {"\U0001F4B0", {"moneybag", "money", "cash"}},
        {"\U0001F355", {"pizza"}},
        {"\U0001F354", {"burger", "hamburger"}},
        {"\U0001F35F", {"fries", "french_fries"}},
        {"\U0001F32E", {"taco"}},
        {"\U0001F363", {"sushi"}},
        {"\U00002615", {"coffee", "tea"}},
        {"\U0001F389", {"tada", "party", "celebrate"}},
        {"\U0001F382", {"birthday", "cake"}},
        {"\U0001F3AE", {"video_game", "game"}},
        {"\U0001F3AF", {"dart", "target"}},
        {"\U0001F3C6", {"trophy", "winner"}},
        {"\U0001F3E0", {"house", "home"}},
        {"\U0001F3E2", {"office", "building", "work"}},
        {"\U00002708\U0000FE0F", {"airplane", "flight", "plane"}},
        {"\U0001F697", {"car", "automobile"}},
        {"\U0001F9EA", {"test_tube", "lab", "science", "chemistry", "experiment", "potion"}},
        {"\U0001F52C", {"microscope", "science", "lab", "biology", "research"}},
        {"\U0001F9EC", {"dna", "science", "genetics", "biology", "helix"}},
        {"\U0001F9EB", {"petri_dish", "lab", "science", "biology", "culture"}},
        {"\U00002697\U0000FE0F", {"alembic", "chemistry", "lab", "distill", "science"}},
        {"\U0001F489", {"syringe", "shot", "vaccine", "injection", "needle"}},
        {"\U0001F48A", {"pill", "medicine", "drug", "capsule"}},
        {"\U0001FA7A", {"stethoscope", "doctor", "health", "medical"}},
        {"\U0001F52D", {"telescope", "astronomy", "space", "stars"}},
        {"\U0001F6F0\U0000FE0F", {"satellite", "space", "orbit"}},
        {"\U0001F4E1", {"satellite_antenna", "signal", "dish"}},
        {"\U0001F9F2", {"magnet", "attract", "magnetic"}},
        {"\U0000269B\U0000FE0F", {"atom", "physics", "science", "nuclear"}},
        {"\U0001F4CA", {"bar_chart", "graph", "stats", "analytics", "data"}},
        {"\U0001F4C8", {"chart_up", "growth", "trending", "increase", "stonks"}},
        {"\U0001F4C9", {"chart_down", "decline", "decrease", "loss"}},
        {"\U0001F4C5", {"calendar", "date", "schedule"}},
        {"\U0001F4CC", {"pushpin", "pin", "location"}},
        {"\U0001F4CE", {"paperclip", "attach", "clip"}},
        {"\U0000270F\U0000FE0F", {"pencil", "write", "edit"}},
        {"\U0001F4DD", {"memo", "note", "write", "document"}},
        {"\U0001F50D", {"search", "magnifying_glass", "find", "look", "zoom"}},
        {"\U0001F517", {"link", "chain", "url"}},
        {"\U0001F5D1\U0000FE0F", {"wastebasket", "trash", "delete", "bin"}},
        {"\U0001F4E6", {"package", "box", "shipping", "delivery"}},
        {"\U0001F41B", {"bug", "insect", "error", "defect"}},
        {"\U0001F680", {"rocket", "launch", "ship", "deploy", "fast"}},
        {"\U0001F3A8", {"art", "palette", "design", "paint", "creative"}},
        {"\U00002B50", {"star", "favorite", "rating"}},
        {"\U0001F31F", {"glowing_star", "sparkle", "shine"}},
        {"\U0001F4A4", {"zzz", "sleep", "tired", "sleepy"}},
        {"\U0001F91D", {"handshake", "deal", "agreement", "partnership"}},
        {"\U0001FAE1", {"salute", "respect", "yes_sir", "saluting"}},
        {"\U0001F643", {"upside_down", "silly", "sarcasm"}},
        {"\U0001F605", {"sweat_smile", "phew", "relief", "nervous"}},
        {"\U0001F97A", {"pleading", "puppy_eyes", "begging"}},
        {"\U0001F480", {"skull", "dead", "dying", "lol"}},
        {"\U0001FAE0", {"melting", "melt", "embarrassed"}},
        {"\U0001F62E\U0000200D\U0001F4A8", {"exhale", "sigh", "relief", "breathe"}},
        {"\U0001F381", {"gift", "present", "birthday"}},
        {"\U0001F514", {"bell", "notification", "alert", "ring"}},
        {"\U0001F4E3", {"megaphone", "announce", "shout", "loud"}},
        {"\U0001F4AC", {"speech_balloon", "comment", "chat", "message"}},
        {"\U0001F9F9", {"broom", "clean", "sweep"}},
        {"\U0001F9F0", {"toolbox", "tools", "fix", "repair"}},
        {"\U0001F528", {"hammer", "build", "fix", "tool"}},
        {"\U0001F6E0\U0000FE0F", {"hammer_and_wrench", "tools", "build", "fix", "repair"}},
    };
    return table;
}

// Most common first; ranks count down from the first entry's.
constexpr std::array<std::string_view, 48> commonEmojiByRank{
    "\U0001F602",           "\U00002764\U0000FE0F", "\U0001F62D",
    "\U0001F60D",           "\U00002728",           "\U0001F525",
    "\U0001F64F",           "\U0001F44D",           "\U0001F970",
    "\U0001F60A",           "\U0001F923",           "\U0001F618",
    "\U0001F601",           "\U0001F495",           "\U0001F97A",
    "\U0001F605",           "\U0001F60E",           "\U0001F606",
    "\U0001F609",           "\U0001F44C",           "\U0001F914",
    "\U0001F44F",           "\U0001F64C",           "\U0001F4AF",
    "\U0001F389",           "\U00002705",           "\U0001F480",
    "\U0001F440",           "\U0001F62C",           "\U0001F62E\U0000200D\U0001F4A8",
    "\U0001F92F",           "\U0001F622",           "\U0001F621",
    "\U0001F634",           "\U0001F4AA",           "\U0001F91D",
    "\U0001F44B",           "\U0001F9E0",           "\U00002B50",
    "\U00002615",           "\U0001F355",           "\U0001F680",
    "\U0001F4A1",           "\U000026A0\U0000FE0F", "\U0000274C",
    "\U0001F1EE\U0001F1F3", "\U0001F1FA\U0001F1F8", "\U0001F1EC\U0001F1E7",
};

} // namespace

const std::unordered_map<std::string, std::vector<std::string>>& BuiltinTables::aliasesByEmoji() {
    static const std::unordered_map<std::string, std::vector<std::string>> table(
        aliasTable().begin(), aliasTable().end());
    return table;
}

const std::unordered_map<std::string, int>& BuiltinTables::commonRankByEmoji() {
    static const std::unordered_map<std::string, int> table = [] {
        std::unordered_map<std::string, int> ranks;
        int rank = topCommonRank;
        for (std::string_view emoji : commonEmojiByRank) {
            ranks.emplace(std::string(emoji), rank--);
        }
        // The symbols people have names for in LaTeX and HTML are the common ones, in the
        // order of their table; they rank among symbols only.
        const std::span<const SymbolTables::Aliases> named = SymbolTables::aliases();
        int symbolRank = static_cast<int>(named.size());
        for (const SymbolTables::Aliases& symbol : named) {
            ranks.emplace(std::string(symbol.text), symbolRank--);
        }
        return ranks;
    }();
    return table;
}

const std::unordered_map<std::string, std::vector<std::string>>& BuiltinTables::regionAliases() {
    static const std::unordered_map<std::string, std::vector<std::string>> table{
        {"AU", {"australia"}},
        {"CA", {"canada"}},
        {"CN", {"china"}},
        {"DE", {"germany"}},
        {"EU", {"europe", "european union"}},
        {"FR", {"france"}},
        {"GB", {"uk", "britain", "great britain", "united kingdom"}},
        {"IN", {"india", "bharat"}},
        {"IT", {"italy"}},
        {"JP", {"japan"}},
        {"KR", {"korea", "south korea"}},
        {"RU", {"russia"}},
        {"US", {"usa", "america", "united states"}},
    };
    return table;
}

const std::vector<std::pair<std::string, std::string>>& BuiltinTables::emoticons() {
    static const std::vector<std::pair<std::string, std::string>> table{
        {":)", "\U0001F642"},   {":-)", "\U0001F642"},  {":(", "\U0001F641"},
        {":-(", "\U0001F641"},  {":D", "\U0001F603"},   {":-D", "\U0001F603"},
        {"xD", "\U0001F606"},   {":P", "\U0001F61B"},   {":-P", "\U0001F61B"},
        {":'(", "\U0001F622"},  {":O", "\U0001F62E"},   {":-O", "\U0001F62E"},
        {":*", "\U0001F618"},   {":-*", "\U0001F618"},  {":|", "\U0001F610"},
        {":/", "\U0001F615"},   {"8)", "\U0001F60E"},   {"<3", "\U00002764\U0000FE0F"},
        {"</3", "\U0001F494"},  {"^_^", "\U0001F60A"},  {"o/", "\U0001F44B"},
        {":+1:", "\U0001F44D"}, {":-1:", "\U0001F44E"}, {"B)", "\U0001F60E"},
        {"B-)", "\U0001F60E"},  {"8-)", "\U0001F60E"},  {">:(", "\U0001F620"},
        {">:-(", "\U0001F620"}, {":@", "\U0001F621"},   {">:)", "\U0001F608"},
        {"O:)", "\U0001F607"},  {":3", "\U0001F63A"},   {":-3", "\U0001F63A"},
        {":')", "\U0001F972"},  {"D:", "\U0001F627"},   {"T_T", "\U0001F62D"},
        {":S", "\U0001F616"},   {":$", "\U0001F633"},
    };
    return table;
}

const std::vector<std::pair<std::string, std::string>>& BuiltinTables::winks() {
    static const std::vector<std::pair<std::string, std::string>> table{
        {";)", "\U0001F609"}, {";-)", "\U0001F609"}, {";D", "\U0001F61C"}, {";P", "\U0001F61C"}};
    return table;
}

const std::vector<std::pair<std::string, std::string>>& BuiltinTables::chatWords() {
    static const std::vector<std::pair<std::string, std::string>> table{
        {"lol", "\U0001F606"},  {"lmao", "\U0001F923"}, {"lmfao", "\U0001F923"},
        {"rofl", "\U0001F923"}, {"haha", "\U0001F604"}, {"hehe", "\U0001F601"},
        {"omg", "\U0001F631"},  {"idk", "\U0001F937"},  {"smh", "\U0001F926"},
        {"ty", "\U0001F64F"},   {"thx", "\U0001F64F"},  {"np", "\U0001F44D"},
        {"xoxo", "\U0001F618"}, {"brb", "\U0001F3C3"},  {"afk", "\U0001F4A4"},
        {"gg", "\U0001F91D"},   {"ikr", "\U0001F4AF"},
    };
    return table;
}

const std::string* BuiltinTables::emojiNamedBy(std::string_view text) {
    static const std::unordered_map<std::string, std::string> byLowerCase = [] {
        std::unordered_map<std::string, std::string> made;
        for (const auto* table : {&emoticons(), &winks(), &chatWords()}) {
            for (const auto& [named, emoji] : *table) {
                made.emplace(unicode::toLower(named), emoji);
            }
        }
        return made;
    }();
    const auto found = byLowerCase.find(unicode::toLower(text));
    return found == byLowerCase.end() ? nullptr : &found->second;
}

const std::vector<EmojiItem>& BuiltinTables::fallbackItems() {
    static const std::vector<EmojiItem> items{
        {"\U0001F600", "grinning", "grinning", EmojiCategory::smileys, {"happy", "smile"}, false},
        {"\U0001F602", "joy", "joy", EmojiCategory::smileys, {"laugh", "tears"}, false},
        {"\U0001F60D", "heart eyes", "heart_eyes", EmojiCategory::smileys, {"love"}, false},
        {"\U0001F914", "thinking", "thinking", EmojiCategory::smileys, {"hmm"}, false},
        {"\U0001F44D", "thumbs up", "thumbsup", EmojiCategory::people, {"yes"}, true},
        {"\U0001F44E", "thumbs down", "thumbsdown", EmojiCategory::people, {"no"}, true},
        {"\U0001F64F", "pray", "pray", EmojiCategory::people, {"thanks"}, true},
        {"\U0001F9E0", "brain", "brain", EmojiCategory::people, {"mind"}, false},
        {"\U00002764\U0000FE0F", "heart", "heart", EmojiCategory::symbols, {"love"}, false},
        {"\U0001F525", "fire", "fire", EmojiCategory::symbols, {"hot"}, false},
        {"\U00002728", "sparkles", "sparkles", EmojiCategory::symbols, {"magic"}, false},
        {"\U00002705", "check", "white_check_mark", EmojiCategory::symbols, {"done"}, false},
    };
    return items;
}

} // namespace tiklo
