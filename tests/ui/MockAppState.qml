import QtQuick

// Stands in for the C++ settings store, with the properties the picker views read.
QtObject {
    property string defaultSkinTone: "standard"
    property string pickerMode: "grid"
    property bool masterEnabled: true
    property bool accessibilityGranted: true
}
