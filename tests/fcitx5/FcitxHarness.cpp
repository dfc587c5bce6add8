// SPDX-License-Identifier: GPL-3.0-or-later
#include "FcitxHarness.h"

#include <fcitx-utils/cutf8.h>
#include <fcitx-utils/eventdispatcher.h>
#include <fcitx-utils/standardpath.h>
#include <fcitx-utils/testing.h>
#include <fcitx/addonmanager.h>
#include <fcitx/inputcontextmanager.h>

#include <testfrontend_public.h>

#include <stdexcept>
#include <unistd.h>

namespace tiklo::test {

void FcitxHarness::run(const std::function<void(FcitxHarness&)>& body) {
    // The addon from the build tree, its .conf from the build's data folder; the test
    // addons' .conf files come from fcitx5's own data folder.
    fcitx::setupTestingEnvironment(
        TIKLO_FCITX5_ADDON_DIR, {TIKLO_FCITX5_ADDON_DIR},
        {TIKLO_FCITX5_DATA_DIR, fcitx::StandardPath::fcitxPath("pkgdatadir")});
    char arg0[] = "fcitx5_tests";
    char arg1[] = "--disable=all";
    char arg2[] = "--enable=testim,testfrontend,testui,tiklo-fcitx5";
    char* argv[] = {arg0, arg1, arg2};
    // fcitx reads its options with getopt: a second instance in this process must read
    // them from the start again.
    optind = 0;
    fcitx::Instance instance(3, argv);
    instance.addonManager().registerDefaultLoader(nullptr);

    FcitxHarness harness(instance);
    auto commitWatch = instance.watchEvent(
        fcitx::EventType::InputContextCommitString, fcitx::EventWatcherPhase::PreInputMethod,
        [&harness](fcitx::Event& event) {
            const std::string& text = static_cast<fcitx::CommitStringEvent&>(event).text();
            harness.commits.push_back(text);
            harness.document += text;
        });
    std::exception_ptr failure;
    fcitx::EventDispatcher dispatcher;
    dispatcher.attach(&instance.eventLoop());
    dispatcher.schedule([&]() {
        try {
            if (instance.addonManager().addon("tiklo-fcitx5") == nullptr) {
                throw std::runtime_error("the tiklo-fcitx5 addon did not load");
            }
            body(harness);
        } catch (...) {
            failure = std::current_exception();
        }
        instance.exit();
    });
    instance.exec();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

fcitx::InputContext* FcitxHarness::field(const std::string& program, fcitx::CapabilityFlags caps) {
    auto* frontend = instance_->addonManager().addon("testfrontend");
    const fcitx::ICUUID uuid = frontend->call<fcitx::ITestFrontend::createInputContext>(program);
    fcitx::InputContext* ic = instance_->inputContextManager().findByUUID(uuid);
    ic->setCapabilityFlags(caps);
    ic->focusIn();
    return ic;
}

fcitx::InputContext* FcitxHarness::preeditField(const std::string& program) {
    return field(program, fcitx::CapabilityFlags{fcitx::CapabilityFlag::Preedit,
                                                 fcitx::CapabilityFlag::FormattedPreedit});
}

bool FcitxHarness::press(fcitx::InputContext* ic, const fcitx::Key& key) {
    if (!ic->hasFocus()) {
        ic->focusIn();
    }
    fcitx::KeyEvent event(ic, key, false);
    ic->keyEvent(event);
    fcitx::KeyEvent release(ic, key, true);
    ic->keyEvent(release);
    if (!event.accepted()) {
        // The application types what the key types.
        if (key.sym() == FcitxKey_Return || key.sym() == FcitxKey_KP_Enter) {
            document += '\n';
        } else if (key.sym() == FcitxKey_BackSpace) {
            if (!document.empty()) {
                document.pop_back();
            }
        } else if (!key.states().testAny(fcitx::KeyStates{
                       fcitx::KeyState::Ctrl, fcitx::KeyState::Alt, fcitx::KeyState::Super})) {
            document += fcitx::Key::keySymToUTF8(key.sym());
        }
    }
    return event.accepted();
}

void FcitxHarness::keys(fcitx::InputContext* ic, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        const fcitx::Key key(name);
        if (!key.isValid()) {
            throw std::invalid_argument("no such key: " + name);
        }
        press(ic, key);
    }
}

void FcitxHarness::type(fcitx::InputContext* ic, const std::string& text) {
    for (const char* next = text.c_str(); *next != '\0';) {
        uint32_t c = 0;
        next = fcitx_utf8_get_char(next, &c);
        if (c == '\n') {
            press(ic, fcitx::Key(FcitxKey_Return));
        } else if (c == '\t') {
            press(ic, fcitx::Key(FcitxKey_Tab));
        } else {
            press(ic, fcitx::Key(fcitx::Key::keySymFromUnicode(c)));
        }
    }
}

} // namespace tiklo::test
