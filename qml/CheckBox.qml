import QtQuick

// "Output file to same folder as input". Its user toggles `checked`, with a mouse area of its own
// and on `toggleRequested`, which Space and Enter send while the box has the keyboard's focus.
Item {
    id: checkBox
    property bool checked: true
    property color labelColor: "white"
    signal toggleRequested

    width: 25 + label.width
    height: 16
    activeFocusOnTab: true

    Keys.onPressed: function(event) { mainPage.pressWithKey(event, checkBox.toggleRequested) }

    Accessible.role: Accessible.CheckBox
    Accessible.name: label.text
    Accessible.checkable: true
    Accessible.checked: checked
    Accessible.onToggleAction: checkBox.toggleRequested()
    Accessible.onPressAction: checkBox.toggleRequested()

    Rectangle {
        width: 16
        height: 16
        color: "#555555"
        border.color: "grey"
        border.width: 1
        radius: 3
        Image {
            anchors.centerIn: parent
            source: "images/tick.png"
            visible: checkBox.checked
        }
    }

    Text {
        id: label
        x: 25
        anchors.verticalCenter: parent.verticalCenter
        text: qsTr("Output file to same folder as input")
        color: checkBox.labelColor
        style: Text.Raised
    }

    FocusRing {}
}
