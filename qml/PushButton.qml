import QtQuick

// An image button of the tabs: lighter under the pointer, its pressed picture while held, and
// `activated` only when released over it.
Image {
    id: button
    property string image
    property string pressedImage
    signal activated

    source: image

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        onEntered: {
            if (!pressed)
                button.opacity = 0.8
        }
        onExited: {
            button.source = button.image
            button.opacity = 1.0
        }
        onPressed: {
            button.source = button.pressedImage
            mediaList.clearSelections()
        }
        onReleased: {
            button.source = button.image
            if (containsMouse)
                button.activated()
        }
    }
}
