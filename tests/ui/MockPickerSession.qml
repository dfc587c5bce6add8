import QtQuick
import Tiklo.TestSupport

// Stands in for the C++ picker session: the same properties, roles and actions, recording
// the actions it is asked for.
QtObject {
    id: session

    property string query: ""
    property string category: ""
    property int replacementBackspaces: 1
    property int selectedIndex: 0
    property string presentationMode: "inline"
    property bool commandHeld: false
    // Roles as the C++ model names them; nameParts holds [before, match, after].
    property FakeResultsModel results: FakeResultsModel {}
    readonly property int resultCount: results.count

    property var inserts: []
    property int closes: 0

    function insertAt(index, keepOpen) {
        inserts = inserts.concat([{
                                      "index": index,
                                      "keepOpen": keepOpen
                                  }])
    }
    function close() {
        closes += 1
    }
    function moveSelection(delta) {}
    function insertSelected() {}
    function refreshResults() {}

    // Replaces the results with `count` items named "item <n>" unless names are given.
    function fill(count, names) {
        results.clear()
        for (let i = 0; i < count; ++i) {
            const name = names && i < names.length ? names[i] : "item " + i
            results.append("😀", name, name.replace(/ /g, "_"),
                           [name.charAt(0).toUpperCase() + name.slice(1), "", ""])
        }
    }
}
