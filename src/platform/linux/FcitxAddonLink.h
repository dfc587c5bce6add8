#pragma once

#include "platform/InputMethodRoute.h"
#include "platform/linux/NewestAnswer.h"
#include "platform/linux/ProgramBusObject.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

namespace tiklo {

// Tiklo's fcitx5 addon as the session bus shows it: served under fcitx5's own name, it
// answers whether an input context of fcitx5 has the focus and announces each change. No
// fcitx5, or one without the addon, holds no field. The addon is installed when fcitx5's
// data folders hold its description. The program is on the bus under its own name, for the
// addon to ask for the full picker. Main thread only.
class FcitxAddonLink : public QObject, public InputMethodRoute {
    Q_OBJECT
public:
    // Each question to the addon ends within this.
    static constexpr int replyTimeoutMs = 2000;

    explicit FcitxAddonLink(QDBusConnection connection = QDBusConnection::sessionBus(),
                            QObject* parent = nullptr);

    // The program's own object on the bus, which this link puts there.
    ProgramBusObject& program() { return program_; }

    bool holdsFocusedField() const override { return holdsFocus_; }
    void watch(Listener listener) override;
    void onPickerRequest(std::function<void()> open) override;
    void commit(const std::string& text) override;

private slots:
    void focusChanged(bool focused);

private:
    void ask();
    void report(bool answered);

    QDBusConnection connection_;
    QDBusServiceWatcher fcitx_;
    ProgramBusObject program_;
    bool holdsFocus_ = false;
    Listener listener_;
    State state_ = State::unknown;
    NewestAnswer questions_{this};
};

} // namespace tiklo
