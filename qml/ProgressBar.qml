import QtQuick

Item {
    id: progressBar
    property int minimum: 0
    property int maximum: 100
    property int value: 0
    property color color: "#555555"

    width: 300
    height: 40
    clip: true

    Rectangle {
        anchors.fill: parent
        color: "#777777"
        radius: 5
        border.width: 1
        border.color: progressBar.color
    }

    Rectangle {
        id: bar
        objectName: "progressFill"
        x: 2
        y: 2
        height: parent.height - 4
        radius: 5
        color: "#cccccc"
        width: Math.max(0, progressBar.width * (progressBar.value - progressBar.minimum)
                           / (progressBar.maximum - progressBar.minimum) - 4)
        Behavior on width { NumberAnimation { duration: 1000 } }
    }
}
