#pragma once

#include <QObject>

#include <functional>

namespace tiklo {

// Tiklo's program on the session bus, for its fcitx5 addon: the addon asks it to open the
// full picker for a field of fcitx5. The interface is the addon's addonbus::programInterface.
class ProgramBusObject : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tiklo.Tiklo")
public:
    explicit ProgramBusObject(QObject* parent = nullptr) : QObject(parent) {}

    std::function<void()> openPicker;

public slots:
    Q_SCRIPTABLE void OpenPicker();
};

} // namespace tiklo
