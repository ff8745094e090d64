import QtQuick

// Where media enters the queue: the catalogue's add entries, then the CD and the DVD entries.
Rectangle {
    id: addTabPage
    property string tabImage: "images/addTab.png"
    property string tabImageSelected: "images/addTabSelected.png"
    property string title: qsTr("Add")
    property alias addModel: addListModel

    color: "#686663"

    ListModel { id: addListModel }

    function addIconsToAddList() {
        var rows = mainwnd.getAddModel()
        for (var i = 0; i + 5 < rows.length; i += 6) {
            addListModel.append({ gIconImage: rows[i + 3], gIconText: rows[i + 1], gOpenTitle: rows[i + 4],
                                  gOpenFilter: rows[i + 5], type: "file" })
        }
        addListModel.append({ gIconImage: "images/icons/cd.png", gIconText: "CD", gOpenTitle: "",
                              gOpenFilter: "", type: "cd" })
        addListModel.append({ gIconImage: "images/icons/dvd-in.png", gIconText: "DVD", gOpenTitle: "",
                              gOpenFilter: "", type: "dvd" })
    }

    function activate(index) {
        var entry = addListModel.get(index)
        if (entry.type === "file") {
            var files = mainwnd.openInputFile(entry.gOpenTitle, entry.gOpenFilter)
            if (files.length > 0)
                mediaList.addFile(files, "file")
        } else if (entry.type === "cd") {
            mainwnd.selectCd()
        } else {
            mainwnd.selectDvd()
        }
    }

    Component.onCompleted: addIconsToAddList()

    Text {
        x: 17
        y: 10
        text: qsTr("Select type")
        color: "white"
        font.pointSize: 13
        style: Text.Raised
    }

    Grid {
        objectName: "addGrid"
        x: 6
        y: 37
        columns: 4
        Repeater {
            model: addListModel
            delegate: Icon {
                id: entryIcon
                activeFocusOnTab: true
                iconImage: model.gIconImage
                iconText: model.gIconText
                // Highlighted exactly as long as the entry's dialog is open.
                onClicked: {
                    entryIcon.selected = true
                    addTabPage.activate(index)
                    entryIcon.selected = false
                }
            }
        }
    }

    StepButton {
        objectName: "addNext"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 10
        text: qsTr("Next")
        onActivated: {
            if (mediaList.mediaListModel.count > 0)
                idTabs.current = 1
            else
                mainwnd.warning(qsTr("You must have items in the Media List to proceed!"))
        }
    }
}
