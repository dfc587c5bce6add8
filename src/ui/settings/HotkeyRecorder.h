// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/HotkeyRegistration.h"
#include "core/Hotkey.h"
#include "platform/KeyboardLayout.h"

#include <optional>

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QString>
#include <QtQml/qqmlregistration.h>

class QKeyEvent;
class QWindow;

namespace tiklo {

// Captures a new picker shortcut from the keyboard: while recording, the first key pressed
// in the recorder's window ends the recording and is swallowed, so it reaches no control.
// A key held with at least one of Ctrl, Alt, Shift and Super becomes the shortcut, unless
// it is Escape; any other key cancels, as do keys the desktop's key names or the settings
// file have no form for. While it records, the current shortcut is let go, so that pressing
// it reaches the recorder instead of opening the picker. Main thread only.
class HotkeyRecorder : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The recorder is made with the settings window")
    Q_PROPERTY(bool recording READ recording NOTIFY recordingChanged)
    // Why the last shortcut pressed was not taken ("Ctrl+Alt+T is taken by another
    // program"), until the next recording; empty otherwise.
    Q_PROPERTY(QString refusal READ refusal NOTIFY refusalChanged)

public:
    // What a key press does to a recording.
    enum class Outcome {
        ignore, // a modifier key on its own: still waiting
        cancel, // recording ends, the shortcut stays
        record, // recording ends with this shortcut
    };
    struct Press {
        Outcome outcome = Outcome::ignore;
        Hotkey hotkey;
    };

    // `layout` names keys by their place, whatever layout is in use; it may be null.
    HotkeyRecorder(HotkeyRegistration& registration, const KeyboardLayout* layout,
                   QObject* parent = nullptr);
    ~HotkeyRecorder() override;

    bool recording() const { return recording_; }
    QString refusal() const { return refusal_; }

    // Starts waiting for a key pressed in `within`'s window.
    Q_INVOKABLE void start(QQuickItem* within);
    // Ends the recording without a change; the current shortcut is registered again.
    Q_INVOKABLE void stop();
    Q_INVOKABLE void toggle(QQuickItem* within);

    static Press interpret(const QKeyEvent& event, const KeyboardLayout* layout);

signals:
    void recordingChanged();
    // A shortcut was pressed, and the system refused it.
    void refused();
    void refusalChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish();
    void setRefusal(QString refusal);

    HotkeyRegistration& registration_;
    const KeyboardLayout* layout_;
    bool recording_ = false;
    QString refusal_;
    QPointer<QWindow> window_;
};

} // namespace tiklo
