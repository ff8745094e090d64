import QtQuick

// Shows where the keyboard's focus is: a white ring with a dark edge, seen on the dark pages and
// the light settings panel alike, and never taken for the orange frame of a chosen entry. It lies
// around the control it is placed in while `shown` (by default, while that control has the
// focus itself).
Rectangle {
    objectName: "focusRing"
    property bool shown: parent ? parent.activeFocus : false
    // How far outside the control the ring lies; negative draws it inside, for a control whose
    // surroundings clip it.
    property real outset: 2

    anchors.fill: parent
    anchors.margins: -outset
    radius: 5
    color: "transparent"
    border.width: 1
    border.color: "#1e1e1e"
    visible: shown

    Rectangle {
        anchors.fill: parent
        anchors.margins: 1
        radius: 4
        color: "transparent"
        border.width: 2
        border.color: "white"
    }
}
