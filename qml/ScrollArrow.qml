import QtQuick

// One of the pair of arrows that move a strip of icons by one icon.
Image {
    id: arrow
    property Flickable view
    property bool forward: true
    readonly property bool usable: forward ? !view.atXEnd : !view.atXBeginning

    source: forward ? "images/arrow-right.png" : "images/arrow-left.png"
    opacity: usable ? 1.0 : 0.2

    function step() {
        var start = view.originX
        var end = view.originX + Math.max(0, view.contentWidth - view.width)
        view.contentX = Math.max(start, Math.min(end, view.contentX + (forward ? 92 : -92)))
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        enabled: arrow.usable
        onEntered: arrow.opacity = 0.8
        onExited: arrow.opacity = Qt.binding(function() { return arrow.usable ? 1.0 : 0.2 })
        onPressed: {
            arrow.opacity = 0.5
            mediaList.clearSelections()
        }
        onReleased: {
            if (containsMouse)
                arrow.step()
            arrow.opacity = 0.8
        }
    }
}
