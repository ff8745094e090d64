import QtQuick

// An image button of the tabs: lighter under the pointer, its pressed picture while held, and
// `activated` only when released over it, or on Space or Enter while it has the keyboard's focus.
// A disabled button stays dimmed whatever the pointer does, so that it never looks usable while
// it is not.
Image {
    id: button
    property string image
    property string pressedImage
    // What the button does, in words: its name for screen readers.
    property string text
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
