import QtQuick

// An image button of the tabs: lighter under the pointer, its pressed picture while held, and
// `activated` only when released over it. A disabled button stays dimmed whatever the pointer
// does, so that it never looks usable while it is not.
Image {
    id: button
    property string image
    property string pressedImage
    signal activated

    source: area.pressed && area.containsMouse ? pressedImage : image
    opacity: !enabled ? 0.2 : area.containsMouse ? 0.8 : 1.0

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onPressed: mediaList.clearSelections()
        onReleased: {
            if (containsMouse)
                button.activated()
        }
    }
}
