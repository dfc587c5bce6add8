#pragma once

// In-memory stand-ins for the platform interfaces, recording what they were asked.
#include "platform/AccessibilityTrust.h"
#include "platform/DefaultsStore.h"
#include "platform/HotkeyService.h"
#include "platform/LoginItemService.h"
#include "platform/Workspace.h"

#include <cstdint>
#include <map>
#include <set>
#include <variant>
#include <vector>

namespace tiklo::test {

class FakeDefaultsStore : public DefaultsStore {
public:
    using Value = std::variant<bool, std::string, std::vector<char>>; // data as bytes

    std::optional<bool> boolValue(const std::string& key) const override { return get<bool>(key); }
    std::optional<std::string> stringValue(const std::string& key) const override {
        return get<std::string>(key);
    }
    std::optional<std::string> dataValue(const std::string& key) const override {
        const auto bytes = get<std::vector<char>>(key);
        return bytes ? std::optional<std::string>(std::string(bytes->begin(), bytes->end()))
                     : std::nullopt;
    }
    void setBool(const std::string& key, bool value) override { record(key, value); }
    void setString(const std::string& key, const std::string& value) override {
        record(key, value);
    }
    void setData(const std::string& key, const std::string& bytes) override {
        record(key, std::vector<char>(bytes.begin(), bytes.end()));
    }
    void keepCopyBeforeNextWrite() override { ++copyRequests; }
    void putData(const std::string& key, const std::string& bytes) {
        values[key] = std::vector<char>(bytes.begin(), bytes.end());
    }

    std::map<std::string, Value> values;
    std::vector<std::string> writes; // keys, in the order they were written
    int copyRequests = 0;

private:
    template <typename T> std::optional<T> get(const std::string& key) const {
        const auto found = values.find(key);
        if (found == values.end() || !std::holds_alternative<T>(found->second)) {
            return std::nullopt;
        }
        return std::get<T>(found->second);
    }
    void record(const std::string& key, Value value) {
        values[key] = std::move(value);
        writes.push_back(key);
    }
};

class FakeHotkeyService : public HotkeyService {
public:
    int registerHotkey(std::uint32_t keyCode, std::uint32_t modifiers, std::uint32_t id) override {
        calls.push_back({"register", id, keyCode, modifiers});
        if (refuseWith != 0) {
            return refuseWith;
        }
        grabbed.insert(id);
        return 0;
    }
    void unregisterHotkey(std::uint32_t id) override {
        calls.push_back({"unregister", id, 0, 0});
        grabbed.erase(id);
    }
    void setPressHandler(PressHandler handler) override { press = std::move(handler); }

    struct Call {
        std::string what;
        std::uint32_t id;
        std::uint32_t keyCode;
        std::uint32_t modifiers;
    };
    int refuseWith = 0;
    std::set<std::uint32_t> grabbed;
    std::vector<Call> calls;
    PressHandler press;
};

class FakeLoginItemService : public LoginItemService {
public:
    bool isRegistered() const override { return registered; }
    std::optional<std::string> registerItem() override {
        ++calls;
        if (refusal) {
            return refusal;
        }
        registered = true;
        return std::nullopt;
    }
    std::optional<std::string> unregisterItem() override {
        ++calls;
        if (refusal) {
            return refusal;
        }
        registered = false;
        return std::nullopt;
    }

    bool registered = false;
    std::optional<std::string> refusal;
    int calls = 0;
};

class FakeWorkspace : public Workspace {
public:
    std::optional<RunningApplication> frontmostApplication() const override { return frontmost; }
    std::optional<RunningApplication> lastOtherApplication() const override { return lastOther; }
    std::string ownBundleID() const override { return ownID; }

    std::optional<RunningApplication> frontmost;
    std::optional<RunningApplication> lastOther;
    std::string ownID = "io.tiklo.Tiklo";
};

class FakeAccessibilityTrust : public AccessibilityTrust {
public:
    bool isTrusted() const override { return trusted; }
    void requestTrust() override { ++requests; }

    bool trusted = false;
    int requests = 0;
};

} // namespace tiklo::test
