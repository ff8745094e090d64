import QtQuick

// Tab panel: a row of image headers over a stack of pages. Each page carries the two header
// images in `tabImage` and `tabImageSelected` and its name in `title`; only the current page is
// seen and takes input. The headers take the keyboard's focus in turn.
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
                Image {
                    anchors.centerIn: parent
                    source: index === tabWidget.current ? stack.children[index].tabImageSelected
                                                         : stack.children[index].tabImage
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
