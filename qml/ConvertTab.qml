import QtQuick

// Starts and cancels a run and shows its overall progress; a DVD or audio-CD run also gets its
// burning drive here and a burn element at the end of the list.
Rectangle {
    id: convertTabPage
    property string tabImage: "images/convertTab.png"
    property string tabImageSelected: "images/convertTabSelected.png"
    property string title: qsTr("Convert")
    property int currentOverallProgress: 0
    property alias convertButton: convertButton
    property alias clearCompleted: clearCompletedControl
    // What the last run did, for example "3 converted, 1 failed" or "Cancelled after 2 converted".
    property string runSummary: ""
    property int convertedCount: 0
    property int failedCount: 0

    color: "#686663"

    readonly property int dvdFormatId: 7
    readonly property int audioCdFormatId: 36

    function updateOverallProgress(running, currentProgress) {
        if (!running && currentProgress === 0) {
            currentOverallProgress = 0
            return
        }
        var done = currentProgress
        for (var i = 0; i < mediaList.current && i < mediaList.mediaListModel.count; ++i)
            done += mediaList.contributionOf(i)
        var total = mainPage.overallDuration
        currentOverallProgress = total > 0 ? Math.min(100, Math.floor(done / total * 100)) : 0
    }

    function countOutcome(converted) {
        if (converted)
            ++convertedCount
        else
            ++failedCount
    }

    function outcomeText() {
        return failedCount > 0 ? qsTr("%1 converted, %2 failed").arg(convertedCount).arg(failedCount)
                               : qsTr("%1 converted").arg(convertedCount)
    }

    // The end of a run that was not cancelled: its summary, and a full bar unless nothing of it
    // was converted.
    function finishRun() {
        runSummary = outcomeText()
        if (convertedCount > 0)
            updateOverallProgress(true, mainPage.overallDuration)
        mainwnd.notifyRunEnded(runSummary, outputPlace())
    }

    // Where the output of a run goes, shown above the Convert button: the run under way, or the
    // one that Convert would start, or else the one that ended last. A disc run that writes an
    // image file instead of a disc names the file.
    function outputPlace() {
        if (mainPage.formatId === dvdFormatId || mainPage.formatId === audioCdFormatId) {
            var image = mediaList.imageFile(mainPage.formatId === dvdFormatId ? "burn_dvd" : "burn_cd")
            return image === "" ? qsTr("Burned onto a disc") : qsTr("Saved as %1").arg(image)
        }
        if (!formatTab.outputSameFolder.checked)
            return qsTr("Saved in %1").arg(mainPage.outPath)
        // Beside its source a file goes; a ripped CD track into an album folder of Music, a DVD
        // title into Videos.
        var places = { file: qsTr("beside each source"),
                       cd: qsTr("in a new album folder in %1").arg(mainwnd.getMusicFolder()),
                       dvd: qsTr("in %1").arg(mainwnd.getVideoFolder()) }
        var kinds = { file: qsTr("files"), cd: qsTr("CD tracks"), dvd: qsTr("DVD titles") }
        var sources = mediaList.sourcesOfRun()
        if (sources.length <= 1)
            return qsTr("Saved %1").arg(places[sources.length === 1 ? sources[0] : "file"])
        var parts = []
        for (var i = 0; i < sources.length; ++i)
            parts.push(qsTr("%1 %2").arg(kinds[sources[i]]).arg(places[sources[i]]))
        return qsTr("Saved: %1").arg(parts.join(", "))
    }

    function startRun() {
        runSummary = ""
        convertedCount = 0
        failedCount = 0
        mainPage.burnOutput = false
        mediaList.current = 0
        var formatId = mainPage.formatId
        if (formatId === dvdFormatId || formatId === audioCdFormatId) {
            mainPage.burnOutput = true
            var dvd = formatId === dvdFormatId
            var drive = mainwnd.selectBurnDisc(dvd ? "dvd" : "cd", mainPage.overallDuration)
            if (drive === "")
                return
            // Made only for a run that starts: a cancelled drive choice leaves no work folder.
            mainPage.desTemp = "" + Math.floor(Math.random() * 1000000000)
            mainwnd.makeDir(mainwnd.getTempFolder() + mainPage.desTemp)
            mediaList.addBurn(dvd ? "burn_dvd" : "burn_cd", drive)
        }
        mainwnd.incrementCount(mainPage.formatId, mainPage.outputId)
        mainPage.startNextConversion()
    }

    function cancelWholeConversion() {
        var model = mediaList.mediaListModel
        // A disc that is being written cannot be stopped half-way.
        if (mediaList.hasCurrent() && mediaList.isBurnItem(model.get(mediaList.current))
                && model.get(mediaList.current).currentStatus !== "wait") {
            mainwnd.warning(qsTr("The disc is being burned and cannot be stopped. Please wait for the burn to finish."))
            return false
        }
        if (!mainwnd.yesno(qsTr("Are you sure you want to cancel the current conversion?")))
            return false
        if (!mainPage.conversionInProgress)
            return true
        mainwnd.stopConversion()
        runSummary = qsTr("Cancelled after %1").arg(outcomeText())
        var item = model.get(mediaList.current)
        if (item.currentStatus !== "complete") {
            model.setProperty(mediaList.current, "currentStatus", "wait")
            var name = item.origFileName
            var dot = name.lastIndexOf(".")
            model.setProperty(mediaList.current, "newFileName", dot < 0 ? name : name.substr(0, dot))
        }
        for (var i = model.count - 1; i >= mediaList.current; --i) {
            if (mediaList.isBurnItem(model.get(i)))
                mediaList.dropElement(i, true)
        }
        mainPage.conversionInProgress = false
        return true
    }

    function clearFinished() {
        mediaList.clearSelections()
        clearCompletedControl.opacity = 0.2
        var model = mediaList.mediaListModel
        var i = 0
        while (i < model.count) {
            var status = model.get(i).currentStatus
            if (status === "complete" || status === "error")
                mediaList.removeFromList(i)
            else
                ++i
        }
    }

    Column {
        anchors.centerIn: parent
        spacing: 0

        ProgressBar {
            objectName: "overallProgress"
            Accessible.name: qsTr("Overall progress")
            anchors.horizontalCenter: parent.horizontalCenter
            value: convertTabPage.currentOverallProgress
        }

        TimeLeft { objectName: "timeLeft"; anchors.horizontalCenter: parent.horizontalCenter }

        Text {
            objectName: "runSummary"
            width: 340
            height: 30
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: mainPage.conversionInProgress ? "" : convertTabPage.runSummary
            Accessible.role: Accessible.StaticText
            Accessible.name: text
            Accessible.ignored: text === ""
            color: "white"
            style: Text.Raised
            font.pixelSize: 14
        }

        Column {
            objectName: "outputSummary"
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 2
            visible: mainPage.ffmpegArgs !== ""
            Repeater {
                model: [formatTab.chosenName + " \u00b7 " + formatTab.chosenPreset
                        + (formatTab.argumentsEdited ? qsTr(" (edited)") : ""), convertTabPage.outputPlace()]
                delegate: Text {
                    width: 340
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.Wrap
                    maximumLineCount: 2
                    elide: Text.ElideRight
                    textFormat: Text.PlainText
                    text: modelData
                    Accessible.role: Accessible.StaticText
                    Accessible.name: text
                    color: "#dddddd"
                    font.pixelSize: 12
                }
            }
        }

        Item { width: 1; height: 10 }

        Item {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 150
            height: 55
            // Convert and Cancel take each other's place: a double-click on Convert must not
            // cancel the run it has just started.
            SlipGuard { id: runGuard }
            PushButton {
                id: convertButton
                objectName: "convertButton"
                anchors.fill: parent
                image: "images/convert-button.png"
                pressedImage: "images/convert-button-clicked.png"
                text: qsTr("Convert")
                textLeft: 8
                textRight: 8
                textSize: 21
                textColor: "#3c3b3a"
                focusHeir: cancelButton
                slipGuard: runGuard
                // Usable once an element has loaded: before, a press would convert nothing.
                enabled: false
                visible: !mainPage.conversionInProgress
                onActivated: convertTabPage.startRun()
            }
            PushButton {
                id: cancelButton
                objectName: "cancelButton"
                anchors.fill: parent
                image: "images/cancel-button.png"
                pressedImage: "images/cancel-button-clicked.png"
                text: qsTr("Cancel")
                textLeft: 8
                textRight: 8
                textSize: 21
                focusHeir: convertButton
                slipGuard: runGuard
                visible: mainPage.conversionInProgress
                onActivated: convertTabPage.cancelWholeConversion()
            }
        }

        Item { width: 1; height: 15 }

        // The control takes the keyboard's focus; its content is dimmed while there is nothing to
        // clear, its focus ring never.
        Item {
            id: clearCompletedButton
            anchors.horizontalCenter: parent.horizontalCenter
            width: clearRow.width
            height: clearRow.height
            activeFocusOnTab: true
            Keys.onPressed: function(event) { mainPage.pressWithKey(event, convertTabPage.clearFinished) }
            Accessible.role: Accessible.Button
            Accessible.name: clearText.text
            Accessible.onPressAction: convertTabPage.clearFinished()

            Item {
                id: clearCompletedControl
                objectName: "clearCompleted"
                anchors.fill: parent
                opacity: 0.2
                Behavior on opacity { NumberAnimation { duration: 1000 } }
                Row {
                    id: clearRow
                    spacing: 6
                    Image {
                        anchors.verticalCenter: parent.verticalCenter
                        source: "images/remove.png"
                    }
                    Text {
                        id: clearText
                        text: qsTr("Clear Completed")
                        color: "white"
                        style: Text.Raised
                        font.pixelSize: 14
                    }
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: convertTabPage.clearFinished()
                }
            }
            FocusRing {}
        }
    }

    MouseArea {
        anchors.fill: parent
        z: -1
        onClicked: mediaList.clearSelections()
    }

    StepButton {
        objectName: "convertBack"
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        anchors.margins: 10
        forward: false
        text: qsTr("Back")
        onActivated: {
            if (!mainPage.conversionInProgress || convertTabPage.cancelWholeConversion())
                idTabs.current = 1
        }
    }
}
