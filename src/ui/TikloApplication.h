#pragma once

namespace tiklo {

class EventTap;
class HotkeyRegistration;

// Start-up and termination of the running program.
class TikloApplication {
public:
    TikloApplication(HotkeyRegistration& hotkey, EventTap& tap);

    // Registers the global hotkey, then starts observing keys (which retries by itself
    // while the permission is missing).
    void start();
    // Releases the hotkey and stops observing. Nothing is saved: every setting already was.
    void terminate();

private:
    HotkeyRegistration& hotkey_;
    EventTap& tap_;
};

} // namespace tiklo
