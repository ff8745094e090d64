import QtQuick

// "Output file to same folder as input". Its user toggles `checked` with a mouse area of its own.
Item {
    id: checkBox
    property bool checked: true
    property color labelColor: "white"

    width: 25 + label.width
    height: 16

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
        text: "Output file to same folder as input"
        color: checkBox.labelColor
        style: Text.Raised
    }
}
