import QtQuick

// Tab panel: a row of image headers over a stack of pages. Each page carries the two header
// images in `tabImage` and `tabImageSelected`; only the current page is seen and takes input.
Item {
    id: tabWidget
    property int current: 0
    default property alias pages: stack.children

    function showCurrent() {
        for (var i = 0; i < stack.children.length; ++i) {
            var page = stack.children[i]
            page.opacity = i === current ? 1 : 0
            page.enabled = i === current
        }
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
                objectName: "tabHeader" + index
                width: tabWidget.width / stack.children.length
                height: 60
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
