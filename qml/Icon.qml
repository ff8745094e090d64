import QtQuick

// A catalogue or page entry: a picture on a tile with its label below. Only the picture takes
// the mouse; Space and Enter press the entry while it has the keyboard's focus. A view that keeps
// the focus for itself shows it on its current entry through `keyCurrent`.
Rectangle {
    id: icon
    property bool selected: false
    property string iconImage
    property string iconText
    property bool keyCurrent: false
    signal clicked

    function press() {
        mediaList.clearSelections()
        icon.clicked()
    }

    width: 92
    height: 98
    color: "#686663"

    Keys.onPressed: function(event) { mainPage.pressWithKey(event, icon.press) }

    Accessible.role: Accessible.Button
    Accessible.name: iconText
    Accessible.checkable: true
    Accessible.checked: selected
    Accessible.onPressAction: icon.press()

    Image {
        source: icon.selected ? "images/iconBackSelected.png" : "images/iconBack.png"
    }

    Image {
        id: picture
        objectName: "iconPicture"
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
            onClicked: icon.press()
        }
    }

    // One line under the picture, made smaller when it is long: a second line would lie over the
    // lettering at the foot of the picture. It stays inside the tile, which the background picture
    // draws 4 px in from the entry's edges.
    Text {
        objectName: "iconLabel"
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 2
        anchors.horizontalCenter: parent.horizontalCenter
        width: parent.width - 10
        height: parent.height - 2 - picture.y - picture.height
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 8
        font.pixelSize: 12
        elide: Text.ElideRight
        textFormat: Text.PlainText
        text: icon.iconText
        color: "white"
        style: Text.Raised
    }

    FocusRing {
        shown: icon.activeFocus || icon.keyCurrent
        outset: -1
    }
}
