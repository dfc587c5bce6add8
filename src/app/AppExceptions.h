#pragma once

#include "app/AppState.h"
#include "platform/Workspace.h"

#include <QObject>

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

private:
    AppState& state_;
    const Workspace& workspace_;
};

} // namespace tiklo
