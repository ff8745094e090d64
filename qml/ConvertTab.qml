import QtQuick

// Starts and cancels a run and shows its overall progress; a DVD or audio-CD run also gets its
// burning drive here and a burn element at the end of the list.
Rectangle {
    id: convertTabPage
    property string tabImage: "images/convertTab.png"
    property string tabImageSelected: "images/convertTabSelected.png"
    property int currentOverallProgress: 0
    property alias convertButton: convertButton
    property alias clearCompleted: clearCompletedControl
    // What the last run that ended by itself did, for example "3 converted, 1 failed".
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

    // The end of a run that was not cancelled: its summary, and a full bar unless nothing of it
    // was converted.
    function finishRun() {
        runSummary = convertedCount + " converted" + (failedCount > 0 ? ", " + failedCount + " failed" : "")
        if (convertedCount > 0)
            updateOverallProgress(true, mainPage.overallDuration)
        mainwnd.notifyRunEnded(runSummary, outputPlace())
    }

    // Where the output of a run goes, shown above the Convert button. A disc run that writes an
    // image file instead of a disc names the file.
    function outputPlace() {
        if (mainPage.formatId === dvdFormatId || mainPage.formatId === audioCdFormatId) {
            var image = mediaList.imageFile()
            return image === "" ? "Burned onto a disc" : "Saved as " + image
        }
        if (formatTab.outputSameFolder.checked)
            return "Saved beside each source"
        return "Saved in " + mainPage.outPath
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
            mainPage.desTemp = "" + Math.floor(Math.random() * 1000000000)
            mainwnd.makeDir(mainwnd.getTempFolder() + mainPage.desTemp)
            var dvd = formatId === dvdFormatId
            var drive = mainwnd.selectBurnDisc(dvd ? "dvd" : "cd", mainPage.overallDuration)
            if (drive === "")
                return
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
            mainwnd.warning("The disc is being burned and cannot be stopped. Please wait for the burn to finish.")
            return false
        }
        if (!mainwnd.yesno("Are you sure you want to cancel the current conversion?"))
            return false
        if (!mainPage.conversionInProgress)
            return true
        mainwnd.stopConversion()
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
                        + (formatTab.argumentsEdited ? " (edited)" : ""), convertTabPage.outputPlace()]
                delegate: Text {
                    width: 340
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideMiddle
                    textFormat: Text.PlainText
                    text: modelData
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
            PushButton {
                id: convertButton
                objectName: "convertButton"
                anchors.fill: parent
                image: "images/convert-button.png"
                pressedImage: "images/convert-button-clicked.png"
                // Usable once an element has loaded: before, a press would convert nothing.
                enabled: false
                visible: !mainPage.conversionInProgress
                onActivated: convertTabPage.startRun()
            }
            PushButton {
                objectName: "cancelButton"
                anchors.fill: parent
                image: "images/cancel-button.png"
                pressedImage: "images/cancel-button-clicked.png"
                visible: mainPage.conversionInProgress
                onActivated: convertTabPage.cancelWholeConversion()
            }
        }

        Item { width: 1; height: 15 }

        Item {
            id: clearCompletedControl
            objectName: "clearCompleted"
            anchors.horizontalCenter: parent.horizontalCenter
            width: clearRow.width
            height: clearRow.height
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
                    text: "Clear Completed"
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
    }

    MouseArea {
        anchors.fill: parent
        z: -1
        onClicked: mediaList.clearSelections()
    }

    PushButton {
        objectName: "convertBack"
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        anchors.margins: 10
        image: "images/backButton.png"
        pressedImage: "images/backButtonClicked.png"
        onActivated: {
            if (!mainPage.conversionInProgress || convertTabPage.cancelWholeConversion())
                idTabs.current = 1
        }
    }
}
