import QtQuick

// Explains the item it is placed in: after a moment over the item a yellow box with the text
// appears under it. The box lives in the main page's tip layer, above everything else in the
// window, so that no neighbouring row, fade or clipping covers it and no dimmed owner fades it.
MouseArea {
    id: toolTipArea
    property string toolTip
    property bool showToolTip: false
    property int delay: 250

    anchors.fill: parent
    hoverEnabled: true
    onEntered: {
        if (delay > 0)
            timer.start()
        else
            showToolTip = true
        mediaList.showScrollBar()
    }
    onExited: {
        showToolTip = false
        timer.stop()
    }
    onClicked: mediaList.clearSelections()

    // Wrapped at 250 pixels; kept left of the media list's right edge and inside the window, above
    // the item when there is no room under it.
    onShowToolTipChanged: {
        tipText.width = undefined
        if (tipText.implicitWidth > 250)
            tipText.width = 250
        var under = toolTipArea.mapToItem(toolTipLayer, 0, toolTipArea.height)
        var listRight = mediaList.mapToItem(toolTipLayer, mediaList.width, 0).x
        var x = under.x
        if (x + tip.width > listRight)
            x -= x + tip.width - listRight + 1
        tip.x = Math.max(1, x)
        var y = under.y
        if (y + tip.height > toolTipLayer.height)
            y = toolTipArea.mapToItem(toolTipLayer, 0, 0).y - tip.height
        tip.y = Math.max(1, y)
    }

    Timer {
        id: timer
        interval: toolTipArea.delay
        onTriggered: toolTipArea.showToolTip = true
    }

    Rectangle {
        id: tip
        objectName: "toolTipBox"
        parent: toolTipLayer
        width: tipText.width + 4
        height: tipText.height + 4
        color: "#ffffaa"
        border.color: "#0a0a0a"
        opacity: toolTipArea.toolTip !== "" && toolTipArea.showToolTip && toolTipArea.visible ? 1 : 0
        visible: opacity > 0
        Behavior on opacity { NumberAnimation { duration: 250; easing.type: Easing.InOutQuad } }

        Text {
            id: tipText
            x: 2
            y: 2
            text: toolTipArea.toolTip
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: "black"
        }
    }
}
