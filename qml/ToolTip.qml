import QtQuick

// Explains the item it is placed in: after a quarter second over the item a yellow box with the
// text appears under it, kept inside the media list.
MouseArea {
    id: toolTipArea
    property string toolTip
    property bool showToolTip: false

    anchors.fill: parent
    hoverEnabled: true
    onEntered: {
        delay.start()
        mediaList.showScrollBar()
    }
    onExited: {
        showToolTip = false
        delay.stop()
    }
    onClicked: mediaList.clearSelections()

    onShowToolTipChanged: {
        tipText.width = undefined
        if (tipText.implicitWidth > 250)
            tipText.width = 250
        tip.x = 0
        var corner = tip.mapToItem(mediaList, 0, 0)
        var overhang = corner.x + tip.width - mediaList.width
        if (overhang > 0)
            tip.x = -(overhang + 1)
    }

    Timer {
        id: delay
        interval: 250
        onTriggered: toolTipArea.showToolTip = true
    }

    Rectangle {
        id: tip
        objectName: "toolTipBox"
        y: toolTipArea.height
        z: 1000
        width: tipText.width + 4
        height: tipText.height + 4
        color: "#ffffaa"
        border.color: "#0a0a0a"
        opacity: toolTipArea.toolTip !== "" && toolTipArea.showToolTip ? 1 : 0
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
