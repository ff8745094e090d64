import QtQuick

// One of the pair of arrows that move a strip of icons by one icon. An arrow at its end of the
// strip stays dimmed, under the pointer too. The keyboard moves a strip with its arrow keys
// instead, so the arrows take no focus.
Image {
    id: arrow
    property Flickable view
    property bool forward: true
    readonly property bool usable: forward ? !view.atXEnd : !view.atXBeginning

    function move() {
        formatTab.moveView(arrow.view, arrow.forward ? 1 : -1)
    }

    source: forward ? "images/arrow-right.png" : "images/arrow-left.png"
    opacity: !usable ? 0.2 : area.pressed ? 0.5 : area.containsMouse ? 0.8 : 1.0

    Accessible.role: Accessible.Button
    Accessible.name: forward ? qsTr("Scroll right") : qsTr("Scroll left")
    Accessible.onPressAction: {
        if (arrow.usable)
            arrow.move()
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        enabled: arrow.usable
        onPressed: mediaList.clearSelections()
        onReleased: {
            if (containsMouse)
                arrow.move()
        }
    }
}
