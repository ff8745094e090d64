import QtQuick

// An image button of the tabs: lighter under the pointer, its pressed picture while held, and
// `activated` only when released over it, or on Space or Enter while it has the keyboard's focus.
// A disabled button stays dimmed whatever the pointer does, so that it never looks usable while
// it is not.
Image {
    id: button
    property string image
    property string pressedImage
    // What the button does, in words: shown on it, and its name for screen readers.
    property string text
    // Where the word stands on the picture (the room the picture leaves it), and how it looks.
    property real textLeft: 0
    property real textRight: 0
    property int textSize: 14
    property color textColor: "#fdfdfd"
    // The button that takes this one's place when it is hidden, and with it the keyboard's focus.
    property Item focusHeir: null
    // Where clicking it may put another button under the pointer: the guard against the second
    // click of a double-click.
    property SlipGuard slipGuard: null
    signal activated

    function press() {
        mediaList.clearSelections()
        button.activated()
    }

    source: area.pressed && area.containsMouse ? pressedImage : image
    opacity: !enabled ? 0.2 : area.containsMouse ? 0.8 : 1.0
    activeFocusOnTab: true

    Keys.onPressed: function(event) { mainPage.pressWithKey(event, button.press) }

    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.onPressAction: button.press()

    // Made smaller where a language's word is longer than the room.
    Text {
        anchors.fill: parent
        anchors.leftMargin: button.textLeft
        anchors.rightMargin: button.textRight
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        text: button.text
        color: button.textColor
        font.pixelSize: button.textSize
        font.bold: true
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 9
        Accessible.ignored: true
    }

    FocusRing {}

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onPressed: mediaList.clearSelections()
        onReleased: {
            if (!containsMouse)
                return
            if (button.slipGuard)
                button.slipGuard.run(button.activated)
            else
                button.activated()
        }
    }
}
