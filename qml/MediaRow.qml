import QtQuick

// One element of the media list: its loading view until the probe answers, then its thumbnail,
// output name, status and facts.
Item {
    id: row
    width: ListView.view ? ListView.view.width : 0
    height: 107

    readonly property bool isBurn: model.thumbnail === "images/burningthumb.png"

    readonly property bool editable: model.currentStatus === "wait" && !mainPage.conversionInProgress

    // FFmpeg names a codec with its container tag, "aac (LC) (mp4a / 0x6134706D)": only the name is
    // of use to a person.
    function codecName(description) {
        return description.replace(/ \([^()]* \/ 0x[0-9A-Fa-f]+\)/g, "")
    }
    // The codec without its profile: "h264" of "h264 (High)".
    function bareName(codec) {
        return codec.split(" ")[0]
    }

    function statusWords() {
        var status = model.currentStatus
        if (model.loading && !row.isBurn)
            return qsTr("loading")
        if (status === "complete")
            return qsTr("converted")
        if (status === "error")
            return qsTr("failed: %1").arg(model.errorMsg)
        if (status.endsWith("%"))
            return qsTr("converting, %1 done").arg(status)
        return qsTr("waiting")
    }

    // A click on the name, or F2, shows the name field of an element that may still be renamed.
    function startRename() {
        mediaList.clearSelections()
        row.ListView.view.interactive = false
        row.ListView.view.currentIndex = index
        if (row.editable) {
            nameInput.nameBefore = model.newFileName
            mediaList.mediaListModel.setProperty(index, "selected", true)
            nameInput.forceActiveFocus()
            nameInput.selectAll()
        }
    }

    // What a click on the tick of a finished element opens.
    function openResult() {
        if (model.currentStatus !== "complete")
            return
        if (row.isBurn)
            mainwnd.playDisc(model.fileName)
        else
            mainwnd.openFolder(model.finalOutput)
    }

    Accessible.role: Accessible.ListItem
    Accessible.name: model.loading && !row.isBurn ? model.fileName : model.newFileName
    Accessible.description: qsTr("Length %1, %2").arg(model.duration).arg(row.statusWords())

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
            // Under the sign of a sound or of a picture without a preview.
            Text {
                x: 4
                y: 50
                width: 88
                height: 16
                visible: model.thumbnail === ""
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: model.videoCodec === "" ? qsTr("audio") : qsTr("no preview")
                color: "#b4b2ae"
                font.pixelSize: 10
                Accessible.ignored: true
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
            // A field while the name is edited; a hint of one under the pointer where a click
            // would start editing.
            color: model.selected ? "#4a4948" : "transparent"
            radius: 3
            border.width: 1
            border.color: model.selected ? "#f0a030"
                        : titleArea.containsMouse && !mainPage.conversionInProgress && model.currentStatus !== "complete"
                          ? "grey" : "transparent"

            Text {
                anchors.fill: parent
                anchors.leftMargin: 4
                anchors.rightMargin: 4
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideMiddle
                Accessible.ignored: true
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
                Accessible.role: Accessible.EditableText
                Accessible.name: qsTr("Name")
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
                onClicked: row.startRename()
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
                Accessible.role: Accessible.Button
                Accessible.name: tickTip.toolTip
                Accessible.onPressAction: row.openResult()
                ToolTip {
                    id: tickTip
                    objectName: "tickTip"
                    delay: 0
                    toolTip: row.isBurn ? qsTr("Play Disc") : qsTr("Open Containing Folder")
                    onClicked: row.openResult()
                }
            }

            Image {
                objectName: "warningSign"
                anchors.centerIn: parent
                source: "images/warning.png"
                visible: model.currentStatus === "error"
                Accessible.role: Accessible.StaticText
                Accessible.name: qsTr("Failed")
                Accessible.description: model.errorMsg
                ToolTip {
                    objectName: "errorTip"
                    toolTip: model.errorMsg
                }
            }
        }

        // Length, then the codecs, ending clear of the scroll bar along the list's right edge. Each
        // codec is named in full where the row has room for both, else by its bare name ("h264"
        // for "h264 (High)"); the video codec keeps half the room, or more if the audio codec
        // needs less.
        Row {
            id: facts
            x: 118
            y: 56
            spacing: 5
            height: 14
            readonly property real codecRoom: Math.max(0, row.width - 36 - x - videoCodec.x
                                                          - (audioCodec.visible ? 3 * spacing + audioGap.width + audioIcon.width : 0))
            readonly property bool fullNamesFit: videoName.advanceWidth + audioName.advanceWidth <= codecRoom

            TextMetrics { id: videoName; font: videoCodec.font; text: row.codecName(model.videoCodec) }
            TextMetrics { id: audioName; font: audioCodec.font; text: row.codecName(model.audioCodec) }

            Image { source: "images/fileLengthIcon.png" }
            Text {
                text: model.duration
                textFormat: Text.PlainText
                color: "#dddddd"
                font.pixelSize: 11
                Accessible.ignored: true
                ToolTip { toolTip: qsTr("Duration: %1").arg(model.duration) }
            }

            Item { width: 6; height: 1; visible: model.videoCodec !== "" }
            Image { source: "images/fileVideoIcon.png"; visible: model.videoCodec !== "" }
            Text {
                id: videoCodec
                objectName: "videoCodec"
                width: Math.min(implicitWidth, Math.max(facts.codecRoom / 2,
                                                        facts.codecRoom - (audioCodec.visible ? audioCodec.implicitWidth : 0)))
                visible: model.videoCodec !== ""
                elide: Text.ElideRight
                text: facts.fullNamesFit ? videoName.text : row.bareName(videoName.text)
                textFormat: Text.PlainText
                color: "#dddddd"
                font.pixelSize: 11
                Accessible.ignored: true
                ToolTip { toolTip: qsTr("Video Codec: %1").arg(videoName.text) }
            }

            Item { id: audioGap; width: 6; height: 1; visible: model.audioCodec !== "" }
            Image { id: audioIcon; source: "images/fileAudioIcon.png"; visible: model.audioCodec !== "" }
            Text {
                id: audioCodec
                objectName: "audioCodec"
                width: Math.max(0, Math.min(implicitWidth, row.width - 36 - facts.x - x))
                elide: Text.ElideRight
                visible: model.audioCodec !== ""
                text: facts.fullNamesFit ? audioName.text : row.bareName(audioName.text)
                textFormat: Text.PlainText
                color: "#dddddd"
                font.pixelSize: 11
                Accessible.ignored: true
                ToolTip { toolTip: qsTr("Audio Codec: %1").arg(audioName.text) }
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
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Remove")
            Accessible.onPressAction: mediaList.removeFromList(index)
            MouseArea {
                id: removeArea
                anchors.fill: parent
                hoverEnabled: true
                onEntered: mediaList.showScrollBar()
                onClicked: mediaList.removeGuard.run(function() { mediaList.removeFromList(index) })
            }
        }
    }

    FocusRing {
        shown: row.ListView.isCurrentItem && row.ListView.view.activeFocus
        outset: -1
    }

}
