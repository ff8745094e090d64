import QtQuick

// The second click of a double-click lands on whatever the first click's action put under the
// pointer (Cancel where Convert was, the next row's remove button): within the platform's
// double-click interval after a click's action, a further click is taken for that slip and does
// nothing. Keys are no such slip and do not pass through it.
QtObject {
    property double lastAction: 0
    readonly property var platformHints: Qt.styleHints

    function run(action) {
        if (Date.now() - lastAction < platformHints.mouseDoubleClickInterval)
            return
        action()
        // From the action's end: a modal question it asked may have held the click back.
        lastAction = Date.now()
    }
}
