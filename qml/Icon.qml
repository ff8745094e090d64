import QtQuick

// A catalogue or page entry: a picture on a tile with its label below. Only the picture takes
// the mouse.
Rectangle {
    id: icon
    property bool selected: false
    property string iconImage
    property string iconText
    signal clicked

    width: 92
    height: 98
    color: "#686663"

    Image {
        source: icon.selected ? "images/iconBackSelected.png" : "images/iconBack.png"
    }

    Image {
        id: picture
        anchors.horizontalCenter: parent.horizontalCenter
        y: 11
        source: icon.iconImage

        MouseArea {
            anchors.fill: parent
            hoverEnabled: true
            onEntered: {
                if (!pressed)
                    picture.opacity = 0.9
            }
            onExited: {
                if (!pressed)
                    picture.opacity = 1.0
            }
            onPressed: picture.opacity = 0.5
            onReleased: picture.opacity = 1.0
            onContainsMouseChanged: {
                if (pressed)
                    picture.opacity = containsMouse ? 0.5 : 1.0
            }
            onClicked: {
                mediaList.clearSelections()
                icon.clicked()
            }
        }
    }

    Text {
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 2
        anchors.horizontalCenter: parent.horizontalCenter
        width: parent.width - 4
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        textFormat: Text.PlainText
        text: icon.iconText
        color: "white"
        style: Text.Raised
    }
}
