// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AppState.h"
#include "platform/Workspace.h"

#include <QObject>
#include <QString>

#include <string>

namespace tiklo {

// The applications in which semicolon search is switched off.
class AppExceptions : public QObject {
    Q_OBJECT
public:
    AppExceptions(AppState& state, const Workspace& workspace, QObject* parent = nullptr);

    // Adds the application the user came from (Tiklo's own window is in front while its
    // button is pressed): never Tiklo itself, nor one without an id or already there. The
    // list stays sorted.
    Q_INVOKABLE void addCurrentApp();
    // Adds an id typed by hand, without white space around it. Any text is taken, whether
    // or not an application has that id. False, with nothing changed, for blank text or an
    // id already there (ids differing in case are different).
    Q_INVOKABLE bool add(const QString& text);
    // Removes every entry equal to `appID`.
    Q_INVOKABLE void remove(const QString& appID);

private:
    // Appended, then sorted: observers see both steps, the store is written once.
    void append(const std::string& appID);

    AppState& state_;
    const Workspace& workspace_;
};

} // namespace tiklo
