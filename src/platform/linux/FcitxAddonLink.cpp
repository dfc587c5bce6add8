#include "platform/linux/FcitxAddonLink.h"

#include "core/AddonBusNames.h"

#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QStandardPaths>

#include <utility>

namespace tiklo {
namespace {

QString name(const char* busName) {
    return QString::fromLatin1(busName);
}

QDBusMessage callAddon(const char* method) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(name(addonbus::fcitxService), name(addonbus::addonPath),
                                       name(addonbus::addonInterface), QString::fromLatin1(method));
    // Debian's fcitx5 can be started by the bus: a call must never start it.
    call.setAutoStartService(false);
    return call;
}

} // namespace

FcitxAddonLink::FcitxAddonLink(QDBusConnection connection, QObject* parent)
    : QObject(parent), connection_(std::move(connection)),
      fcitx_(name(addonbus::fcitxService), connection_, QDBusServiceWatcher::WatchForOwnerChange),
      program_(this) {
    if (!connection_.isConnected()) {
        return;
    }
    connection_.connect(name(addonbus::fcitxService), name(addonbus::addonPath),
                        name(addonbus::addonInterface), QStringLiteral("FocusChanged"), this,
                        SLOT(focusChanged(bool)));
    // One program holds the name (a second one never starts), the addon's sign that someone
    // opens the picker.
    connection_.registerObject(name(addonbus::programPath), &program_,
                               QDBusConnection::ExportScriptableSlots);
    connection_.registerService(name(addonbus::programService));
    // A new fcitx5 starts with no field focused; a stopped one holds none.
    connect(&fcitx_, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] {
        holdsFocus_ = false;
        ask();
    });
    ask();
}

void FcitxAddonLink::watch(Listener listener) {
    listener_ = std::move(listener);
    if (!connection_.isConnected()) {
        report(false);
    } else if (state_ != State::unknown) {
        listener_(state_);
    }
}

void FcitxAddonLink::report(bool answered) {
    // Where Debian's package puts it, or any other folder of fcitx5's data.
    const bool installed =
        answered || !QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                            QStringLiteral("fcitx5/addon/tiklo-fcitx5.conf"))
                         .isEmpty();
    const State state = answered ? State::on : installed ? State::off : State::notInstalled;
    if (state == state_) {
        return;
    }
    state_ = state;
    if (listener_) {
        listener_(state_);
    }
}

void FcitxAddonLink::focusChanged(bool focused) {
    questions_.overtake();
    holdsFocus_ = focused;
    report(true);
}

void FcitxAddonLink::ask() {
    questions_.ask(connection_, callAddon("ServesFocus"), replyTimeoutMs,
                   [this](const QDBusPendingCall& call) {
                       const QDBusPendingReply<bool> reply = call;
                       holdsFocus_ = !reply.isError() && reply.value();
                       report(!reply.isError());
                   });
}

void FcitxAddonLink::onPickerRequest(std::function<void()> open) {
    program_.openPicker = std::move(open);
}

void FcitxAddonLink::commit(const std::string& text) {
    QDBusMessage call = callAddon("Commit");
    call << QString::fromStdString(text);
    // Nothing to wait for: the addon commits when the field has the focus again.
    connection_.send(call);
}

} // namespace tiklo
