import QtQuick

// The media list's scroll bar: a track that pages the view while pressed and a slider that can be
// dragged. The media list shows and hides it through its opacity.
Item {
    id: scrollBar
    property Flickable target

    width: 32
    clip: true
    anchors.top: scrollBar.target.top
    anchors.bottom: scrollBar.target.bottom
    anchors.right: scrollBar.target.right
    opacity: 0
    visible: slider.height < track.height && mediaList.mediaListModel.count > 0
    Behavior on opacity { NumberAnimation { duration: 250; easing.type: Easing.InOutQuad } }

    Item {
        id: track
        anchors.fill: parent
        anchors.margins: 1
        anchors.rightMargin: 2
        anchors.bottomMargin: 2

        MouseArea {
            id: trackArea
            property bool upward: false
            anchors.fill: parent
            onPressed: function(mouse) {
                upward = mouse.y < slider.y
                pager.start()
            }
            onReleased: pager.stop()
        }

        Timer {
            id: pager
            interval: 20
            repeat: true
            triggeredOnStart: true
            onTriggered: {
                var step = trackArea.upward ? -scrollBar.target.height : scrollBar.target.height
                var lowest = scrollBar.target.originY
                var highest = scrollBar.target.originY + Math.max(0, scrollBar.target.contentHeight - scrollBar.target.height)
                scrollBar.target.contentY = Math.max(lowest, Math.min(highest, scrollBar.target.contentY + step))
            }
        }

        BorderImage {
            id: slider
            objectName: "scrollSlider"
            source: "images/scrollBar.png"
            border.top: 15
            border.bottom: 15
            opacity: 0.6
            width: track.width
            height: scrollBar.target.contentHeight > 0
                    ? Math.max(32, Math.min(track.height, scrollBar.target.height / scrollBar.target.contentHeight * track.height))
                    : track.height

            Binding on y {
                when: !sliderArea.drag.active
                value: scrollBar.target.visibleArea.yPosition * track.height
            }

            MouseArea {
                id: sliderArea
                anchors.fill: parent
                drag.target: slider
                drag.axis: Drag.YAxis
                drag.minimumY: 0
                drag.maximumY: track.height - slider.height
                onPositionChanged: {
                    if (pressedButtons & Qt.LeftButton)
                        scrollBar.target.contentY = slider.y * scrollBar.target.contentHeight / track.height + mediaList.addToContentY
                }
            }
        }
    }
}
