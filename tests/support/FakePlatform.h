// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// In-memory stand-ins for the platform interfaces, recording what they were asked.
#include "core/DefaultsStore.h"
#include "platform/AccessibilityTrust.h"
#include "platform/HotkeyService.h"
#include "platform/LoginItemService.h"
#include "platform/Workspace.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <variant>
#include <vector>

namespace tiklo::test {

// Values in memory; counts the writes, each of which would rewrite a whole settings file.
class FakeDefaultsStore : public DefaultsStore {
public:
    bool contains(const std::string& key) const override { return values.contains(key); }
    std::optional<bool> boolValue(const std::string& key) const override { return get<bool>(key); }
    std::optional<std::string> stringValue(const std::string& key) const override {
        return get<std::string>(key);
    }
    std::optional<std::string> dataValue(const std::string& key) const override {
        const auto data = get<Data>(key);
        return data ? std::optional<std::string>(data->bytes) : std::nullopt;
    }
    Result write(const Entries& entries) override {
        ++fileWrites;
        for (const auto& [key, value] : entries) {
            values[key] = value;
            writes.push_back(key);
        }
        return Result::success();
    }
    void keepCopyBeforeNextWrite() override { ++copyRequests; }
    void putData(const std::string& key, const std::string& bytes) { values[key] = Data{bytes}; }

    std::map<std::string, Value> values;
    std::vector<std::string> writes; // keys, in the order they were written
    int fileWrites = 0;              // calls of write(), however many keys each held
    int copyRequests = 0;

private:
    template <typename T> std::optional<T> get(const std::string& key) const {
        const auto found = values.find(key);
        if (found == values.end() || !std::holds_alternative<T>(found->second)) {
            return std::nullopt;
        }
        return std::get<T>(found->second);
    }
};

class FakeHotkeyService : public HotkeyService {
public:
    Result registerHotkey(const Key& key, std::uint32_t id) override {
        calls.push_back({"register", id, key});
        if (refuseWith != 0) {
            return Result::failure(refuseWith, "refused");
        }
        if (std::find(heldElsewhere.begin(), heldElsewhere.end(), key) != heldElsewhere.end()) {
            return Result::failure(badAccess, "held by another program");
        }
        grabbed.insert(id);
        return Result::success();
    }
    void unregisterHotkey(std::uint32_t id) override {
        calls.push_back({"unregister", id, {}});
        grabbed.erase(id);
    }
    void setPressHandler(PressHandler handler) override { press = std::move(handler); }

    struct Call {
        std::string what;
        std::uint32_t id;
        Key key;
    };
    // X's answer to a grab another client holds.
    static constexpr int badAccess = 10;

    int refuseWith = 0;
    // Keys another program holds: refused with badAccess.
    std::vector<Key> heldElsewhere;
    std::set<std::uint32_t> grabbed;
    std::vector<Call> calls;
    PressHandler press;
};

class FakeLoginItemService : public LoginItemService {
public:
    bool isRegistered() const override { return registered; }
    Result registerItem() override { return change(true); }
    Result unregisterItem() override { return change(false); }

    bool registered = false;
    std::optional<std::string> refusal;

private:
    Result change(bool registering) {
        if (refusal) {
            return Result::failure(*refusal);
        }
        registered = registering;
        return Result::success();
    }
};

class FakeWorkspace : public Workspace {
public:
    std::optional<RunningApplication> frontmostApplication() const override { return frontmost; }
    std::optional<RunningApplication> lastOtherApplication() const override { return lastOther; }
    std::string ownAppID() const override { return "io.tiklo.Tiklo"; }
    bool ownWindowHasKeyboard() const override { return ownWindowFocused; }

    std::optional<RunningApplication> frontmost;
    std::optional<RunningApplication> lastOther;
    bool ownWindowFocused = false;
};

class FakeAccessibilityTrust : public AccessibilityTrust {
public:
    bool isTrusted() const override { return trusted; }
    void requestTrust() override { ++requests; }
    bool x11ApplicationsOnly() const override { return x11Only; }

    bool trusted = false;
    int requests = 0;
    bool x11Only = false;
};

} // namespace tiklo::test
