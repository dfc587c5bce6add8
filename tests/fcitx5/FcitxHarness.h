// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcitx-utils/key.h>
#include <fcitx/inputcontext.h>
#include <fcitx/instance.h>

#include <functional>
#include <string>
#include <vector>

namespace tiklo::test {

// A real fcitx5 instance in this process, as fcitx5's own tests run one: the test front end,
// the test input method (which types nothing itself), the test UI and Tiklo's addon, and
// nothing else. What the application would hold is kept as a document: every commit, and
// every key that no one in fcitx took.
class FcitxHarness {
public:
    // Runs `body` inside the instance's event loop. The addon reads the settings file under
    // $XDG_CONFIG_HOME at its start: set it first.
    static void run(const std::function<void(FcitxHarness&)>& body);

    fcitx::Instance& instance() { return *instance_; }
    // A focused input context of `program` with these capabilities.
    fcitx::InputContext* field(const std::string& program, fcitx::CapabilityFlags caps);
    // A field that shows preedit itself, as GTK and Qt fields do.
    fcitx::InputContext* preeditField(const std::string& program = "gedit");

    // One press and release; whether fcitx took the press (the application never saw it).
    bool press(fcitx::InputContext* ic, const fcitx::Key& key);
    // Key names as fcitx spells them ("semicolon", "Control+2", "Return").
    void keys(fcitx::InputContext* ic, const std::vector<std::string>& names);
    // Each character as the key that types it; "\n" as Return, "\t" as Tab.
    void type(fcitx::InputContext* ic, const std::string& text);

    std::string document;
    std::vector<std::string> commits;

private:
    explicit FcitxHarness(fcitx::Instance& instance) : instance_(&instance) {}

    fcitx::Instance* instance_;
};

} // namespace tiklo::test
