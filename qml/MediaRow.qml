import QtQuick

// One element of the media list: its loading view until the probe answers, then its thumbnail,
// output name, status and facts.
Item {
    id: row
    width: ListView.view ? ListView.view.width : 0
    height: 107

    readonly property bool isBurn: model.thumbnail === "images/burningthumb.png"

    readonly property bool editable: model.currentStatus === "wait" && !mainPage.conversionInProgress

    MouseArea {
        anchors.fill: parent
        onClicked: mediaList.clearSelections()
    }

    Image {
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        source: "images/fileBreak.png"
        visible: index < mediaList.mediaListModel.count - 1
    }

    Column {
        anchors.centerIn: parent
        width: parent.width - 40
        spacing: 8
        visible: model.loading
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideMiddle
            textFormat: Text.PlainText
            text: model.fileName
            color: "white"
            font.bold: true
        }
        AnimatedImage {
            anchors.horizontalCenter: parent.horizontalCenter
            source: "images/loading.gif"
            playing: model.loading
        }
    }

    Item {
        anchors.fill: parent
        visible: !model.loading

        Image {
            id: frame
            x: 8
            y: 16
            source: "images/fileImage.png"
            Image {
                objectName: "thumbnail"
                x: 4
                y: 4
                width: 88
                height: 66
                fillMode: Image.PreserveAspectFit
                source: {
                    if (model.thumbnail === "")
                        return model.videoCodec === "" ? "images/screenshot-audio.png" : "images/screenshot-unknown.png"
                    if (row.isBurn)
                        return model.thumbnail
                    return "file:" + model.thumbnail
                }
            }
        }

        Rectangle {
            id: titleBox
            anchors.left: parent.left
            anchors.leftMargin: 114
            y: 18
            height: 26
            anchors.right: status.left
            anchors.rightMargin: 8
            color: "transparent"
            radius: 3
            border.width: 1
            border.color: titleArea.containsMouse && !model.selected && !mainPage.conversionInProgress
                          && model.currentStatus !== "complete" ? "grey" : "transparent"

            Text {
                anchors.fill: parent
                anchors.leftMargin: 4
                anchors.rightMargin: 4
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideMiddle
                textFormat: Text.PlainText
                text: model.newFileName
                color: "#fdfdfd"
                font.pixelSize: 16
                visible: !model.selected
            }

            TextInput {
                id: nameInput
                objectName: "nameInput"
                anchors.fill: parent
                anchors.leftMargin: 4
                anchors.rightMargin: 4
                verticalAlignment: TextInput.AlignVCenter
                clip: true
                color: "#fdfdfd"
                selectionColor: "#f0a030"
                selectedTextColor: "#222222"
                font.pixelSize: 16
                text: model.newFileName
                visible: model.selected
                // Keys reach the name only while its field is shown and it may still change: a run
                // that starts during an edit ends it.
                enabled: model.selected && row.editable
                property string nameBefore
                onTextEdited: mediaList.mediaListModel.setProperty(index, "newFileName", text)
                onAccepted: mediaList.clearSelections()
                Keys.onEscapePressed: {
                    mediaList.mediaListModel.setProperty(index, "newFileName", nameBefore)
                    mediaList.clearSelections()
                }
            }

            MouseArea {
                id: titleArea
                anchors.fill: parent
                hoverEnabled: true
                enabled: !model.selected
                onEntered: mediaList.showScrollBar()
                onClicked: {
                    mediaList.clearSelections()
                    row.ListView.view.interactive = false
                    if (row.editable) {
                        nameInput.nameBefore = model.newFileName
                        mediaList.mediaListModel.setProperty(index, "selected", true)
                        nameInput.forceActiveFocus()
                        nameInput.selectAll()
                    }
                }
            }
        }

        Item {
            id: status
            width: 40
            height: 26
            y: 18
            anchors.right: removeButton.left
            anchors.rightMargin: 20

            Text {
                anchors.centerIn: parent
                visible: model.currentStatus.endsWith("%")
                text: model.currentStatus
                color: "#fdfdfd"
                font.pixelSize: 14
                font.bold: true
            }

            Image {
                id: tick
                objectName: "completedTick"
                anchors.centerIn: parent
                source: "images/completed.png"
                visible: model.currentStatus === "complete"
                opacity: tickTip.containsMouse ? 0.5 : 1.0
                ToolTip {
                    id: tickTip
                    objectName: "tickTip"
                    delay: 0
                    toolTip: row.isBurn ? "Play Disc" : "Open Containing Folder"
                    onClicked: {
                        if (row.isBurn)
                            mainwnd.playDisc(model.fileName)
                        else
                            mainwnd.openFolder(model.finalOutput)
                    }
                }
            }

            Image {
                objectName: "warningSign"
                anchors.centerIn: parent
                source: "images/warning.png"
                visible: model.currentStatus === "error"
                ToolTip {
                    objectName: "errorTip"
                    toolTip: model.errorMsg
                }
            }
        }

        Row {
            id: facts
            x: 118
            y: 56
            spacing: 5
            height: 14

            Image { source: "images/fileLengthIcon.png" }
            Text {
                text: model.duration
                textFormat: Text.PlainText
                color: "#dddddd"
                font.pixelSize: 11
                ToolTip { toolTip: "Duration: " + model.duration }
            }

            Item { width: 6; height: 1; visible: model.videoCodec !== "" }
            Image { source: "images/fileVideoIcon.png"; visible: model.videoCodec !== "" }
            Text {
                width: 40
                visible: model.videoCodec !== ""
                elide: Text.ElideRight
                text: model.videoCodec
                textFormat: Text.PlainText
                color: "#dddddd"
                font.pixelSize: 11
                ToolTip { toolTip: "Video Codec: " + model.videoCodec }
            }

            Item { width: 6; height: 1; visible: model.audioCodec !== "" }
            Image { source: "images/fileAudioIcon.png"; visible: model.audioCodec !== "" }
            Text {
                objectName: "audioCodec"
                // Shortened so that it ends clear of the scroll bar along the list's right edge.
                width: Math.max(0, Math.min(implicitWidth, row.width - 36 - facts.x - x))
                elide: Text.ElideRight
                visible: model.audioCodec !== ""
                text: model.audioCodec
                textFormat: Text.PlainText
                color: "#dddddd"
                font.pixelSize: 11
                ToolTip { toolTip: "Audio Codec: " + model.audioCodec }
            }
        }

        Image {
            id: removeButton
            objectName: "removeButton"
            anchors.right: parent.right
            anchors.rightMargin: 30
            y: 23
            source: "images/remove.png"
            visible: !row.isBurn
            opacity: removeArea.containsMouse ? 0.5 : 1.0
            MouseArea {
                id: removeArea
                anchors.fill: parent
                hoverEnabled: true
                onEntered: mediaList.showScrollBar()
                onClicked: mediaList.removeFromList(index)
            }
        }
    }

}
