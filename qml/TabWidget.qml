import QtQuick

// Tab panel: a row of headers over a stack of pages. Each page carries its sign for the header,
// plain and selected, in `tabImage` and `tabImageSelected`, and its name in `title`, which the
// header shows beside the sign; only the current page is seen and takes input. The headers take
// the keyboard's focus in turn.
Item {
    id: tabWidget
    property int current: 0
    default property alias pages: stack.children

    function showCurrent() {
        // A page that goes takes the focus of its control with it; the page that comes gets it.
        var focusInPages = mainPage.holdsFocus(stack)
        for (var i = 0; i < stack.children.length; ++i) {
            var page = stack.children[i]
            page.opacity = i === current ? 1 : 0
            page.enabled = i === current
            // Neither seen by a screen reader.
            page.visible = i === current
        }
        if (focusInPages)
            mainPage.focusFirstIn(stack.children[current])
    }
    onCurrentChanged: showCurrent()
    Component.onCompleted: showCurrent()

    Row {
        id: headers
        width: parent.width
        height: 60
        Repeater {
            model: stack.children.length
            delegate: Item {
                id: header
                objectName: "tabHeader" + index
                width: tabWidget.width / stack.children.length
                height: 60
                activeFocusOnTab: true
                Keys.onPressed: function(event) { mainPage.pressWithKey(event, function() { mainPage.selectTab(index) }) }
                Accessible.role: Accessible.PageTab
                Accessible.name: stack.children[index].title
                Accessible.selectable: true
                Accessible.selected: index === tabWidget.current
                Accessible.onPressAction: mainPage.selectTab(index)
                Rectangle {
                    // Two pixels each side make the 4 pixels between neighbouring headers.
                    anchors.fill: parent
                    anchors.leftMargin: 2
                    anchors.rightMargin: 2
                    color: "#555555"
                }
                readonly property bool selected: index === tabWidget.current
                Image {
                    id: tile
                    anchors.centerIn: parent
                    source: header.selected ? "images/tabHeaderSelected.png" : "images/tabHeader.png"
                }
                // The sign and the word, centred together, in the same place whether the word is
                // bold (selected) or not; a word too long for the room is made smaller.
                Row {
                    anchors.centerIn: tile
                    spacing: 2
                    Image {
                        id: sign
                        anchors.verticalCenter: parent.verticalCenter
                        source: header.selected ? stack.children[index].tabImageSelected : stack.children[index].tabImage
                    }
                    Text {
                        id: word
                        anchors.verticalCenter: parent.verticalCenter
                        width: Math.min(wordSize.advanceWidth, tile.width - 8 - sign.width - parent.spacing)
                        height: tile.height
                        verticalAlignment: Text.AlignVCenter
                        textFormat: Text.PlainText
                        text: stack.children[index].title
                        color: header.selected ? "#fdfdfd" : "#b4b2ae"
                        font.pixelSize: 15
                        font.bold: header.selected
                        fontSizeMode: Text.HorizontalFit
                        minimumPixelSize: 9
                        Accessible.ignored: true
                        TextMetrics {
                            id: wordSize
                            font.pixelSize: 15
                            font.bold: true
                            text: word.text
                        }
                    }
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: mainPage.selectTab(index)
                }
                FocusRing { outset: -2 }
            }
        }
    }

    Item {
        id: stack
        anchors.top: headers.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
    }
}
