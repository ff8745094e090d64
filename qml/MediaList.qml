import QtQuick

// The queue: one row per added file, ripped track or title, or the burn phase of a disc run, with
// its facts, status and progress. It also carries the item-level steps of the queue walk.
Item {
    id: mediaList
    property alias mediaListModel: listModel
    property int current: 0
    // The view's scroll origin. Qt Quick's list keeps its origin when the first row goes, so this
    // follows the view rather than counting removed rows.
    readonly property int addToContentY: view.originY

    ListModel { id: listModel }

    function hasCurrent() {
        return current >= 0 && current < listModel.count
    }

    function isBurnItem(item) {
        return mainPage.isBurnSource(item.source)
    }

    // The image file that the latest burn element of a kind ("burn_dvd", "burn_cd") writes instead
    // of a disc; "" when it burns a disc or there is none.
    function imageFile(source) {
        for (var i = listModel.count - 1; i >= 0; --i) {
            var item = listModel.get(i)
            if (item.source === source)
                return /\.(iso|cue)$/i.test(item.fileName) ? item.fileName : ""
        }
        return ""
    }

    // The kinds of source ("file", "cd", "dvd") of the elements that a run converts: those still to
    // do, or all of them once none is.
    function sourcesOfRun() {
        var toDo = {}
        var every = {}
        for (var i = 0; i < listModel.count; ++i) {
            var item = listModel.get(i)
            if (isBurnItem(item))
                continue
            every[item.source] = true
            if (item.currentStatus !== "complete" && item.currentStatus !== "error")
                toDo[item.source] = true
        }
        return Object.keys(Object.keys(toDo).length > 0 ? toDo : every).sort()
    }

    // What an element adds to the overall duration: nothing while loading, 600 s for a burn.
    function contributionOf(index) {
        var item = listModel.get(index)
        if (isBurnItem(item))
            return 600
        if (item.loading)
            return 0
        return mainPage.secondsOf(item.duration)
    }

    function appendElement(path, source, duration) {
        listModel.append({
            fileName: path, loading: true, currentStatus: "wait", origFileName: "", newFileName: "",
            origPathName: "", duration: duration, videoCodec: "", audioCodec: "", wxh: "", thumbnail: "",
            finalOutput: "", errorMsg: "", selected: false, source: source
        })
    }

    function addFile(inFile, source) {
        for (var i = 0; i < inFile.length; ++i) {
            appendElement(inFile[i], source, "")
            mainwnd.getFileInfo(inFile[i])
        }
    }

    function addDVD(inFile, length) {
        for (var i = 0; i < inFile.length; ++i) {
            appendElement(inFile[i], "dvd", length)
            mainwnd.getFileInfo(inFile[i])
        }
    }

    function addBurn(source, drive) {
        listModel.append({
            fileName: drive, loading: true, currentStatus: "wait", origFileName: "",
            newFileName: qsTr("Burning Phase"), origPathName: "", duration: qsTr("Waiting to burn..."), videoCodec: "",
            audioCodec: "", wxh: "", thumbnail: "images/burningthumb.png", finalOutput: formatTab.chosenPreset,
            errorMsg: "", selected: false, source: source
        })
        mainPage.updateOverallDuration("add", "00:10:00")
        listModel.setProperty(listModel.count - 1, "loading", false)
    }

    function updateFile(fileInfo, fileVideoInfo, fileAudioInfo) {
        var target = -1
        for (var i = 0; i < listModel.count && target < 0; ++i) {
            if (listModel.get(i).loading)
                target = i
        }
        if (target < 0)
            return
        if (fileVideoInfo.length === 0 && fileAudioInfo.length === 0) {
            removeFromList(target)
            mainwnd.warning(qsTr("FFmpeg is unable to extract any valid video or audio stream from the input file %1.\n\nThis file has NOT been added to the Media List.")
                            .arg(fileInfo[0]))
            return
        }
        listModel.setProperty(target, "origFileName", fileInfo[0])
        listModel.setProperty(target, "origPathName", fileInfo[1])
        listModel.setProperty(target, "newFileName", fileInfo[2])
        if (listModel.get(target).source !== "dvd")
            listModel.setProperty(target, "duration", fileInfo[3])
        listModel.setProperty(target, "thumbnail", fileInfo[4])
        if (fileVideoInfo.length > 0) {
            listModel.setProperty(target, "videoCodec", fileVideoInfo[0])
            listModel.setProperty(target, "wxh", fileVideoInfo.length > 2 ? fileVideoInfo[2] : "")
        }
        if (fileAudioInfo.length > 0)
            listModel.setProperty(target, "audioCodec", fileAudioInfo[0])
        listModel.setProperty(target, "loading", false)
        mainPage.updateOverallDuration("add", listModel.get(target).duration)
        convertTab.convertButton.enabled = true
    }

    // Deletes an element's probe thumbnail and takes its part of the overall duration away.
    function releaseElement(index) {
        var item = listModel.get(index)
        if (item.thumbnail !== "" && item.thumbnail !== "images/burningthumb.png")
            mainwnd.removeFile(item.thumbnail)
        mainPage.overallDuration -= contributionOf(index)
    }

    // Deletes an element, releasing it first unless that was already done.
    function dropElement(index, release) {
        if (release)
            releaseElement(index)
        listModel.remove(index)
    }

    function anyWithStatus(status) {
        for (var i = 0; i < listModel.count; ++i) {
            if (listModel.get(i).currentStatus === status)
                return true
        }
        return false
    }

    // The remove buttons move up as rows go: a double-click must not take the next row too.
    property SlipGuard removeGuard: SlipGuard {}

    function removeFromList(index) {
        if (index < 0 || index >= listModel.count)
            return
        if (!mainPage.conversionInProgress || index > current) {
            dropElement(index, true)
            if (listModel.count === 0)
                idTabs.current = 0
        } else if (index < current) {
            dropElement(index, true)
            current -= 1
        } else if (mainwnd.yesno(qsTr("Are you sure you want to stop this conversion?"))) {
            // The conversion may have ended while the question was open.
            if (mainPage.conversionInProgress && index === current) {
                releaseElement(index)
                listModel.setProperty(index, "currentStatus", "remove")
                mainwnd.stopConversion()
            } else {
                mainwnd.warning(qsTr("Conversion already finished"))
            }
        }
        if (!anyWithStatus("complete"))
            convertTab.clearCompleted.opacity = 0.2
    }

    function conversionStart(outFileName) {
        if (hasCurrent() && listModel.get(current).currentStatus !== "remove")
            listModel.setProperty(current, "newFileName", outFileName)
    }

    // Reports that come after a run was cancelled, or for an element being removed, belong to no
    // element at the cursor and are dropped.
    function reportsApply() {
        return mainPage.conversionInProgress && hasCurrent() && listModel.get(current).currentStatus !== "remove"
    }

    function updateConversionProgress(time) {
        if (!reportsApply())
            return
        var seconds = mainPage.secondsOf(listModel.get(current).duration)
        var percent = seconds > 0 ? Math.min(100, Math.floor(time / seconds * 100)) : 0
        listModel.setProperty(current, "currentStatus", percent + "%")
        convertTab.updateOverallProgress(true, time)
    }

    function completeConversion(quitOk, finalOutput, errorMsg) {
        if (mainPage.conversionInProgress && hasCurrent() && listModel.get(current).currentStatus === "remove") {
            // The removed element's conversion ended by itself before the stop reached it.
            cancelConversion()
            return
        }
        if (!reportsApply())
            return
        convertTab.clearCompleted.opacity = 1.0
        // Elements that an earlier run finished are passed over through here too; only the
        // outcome of this run's own work counts in its summary. A disc or image that was made is no
        // converted file; one that failed still counts as a failure.
        var item = listModel.get(current)
        if (item.currentStatus !== "complete" && item.currentStatus !== "error" && !(quitOk && isBurnItem(item)))
            convertTab.countOutcome(quitOk)
        if (quitOk) {
            listModel.setProperty(current, "currentStatus", "complete")
        } else {
            listModel.setProperty(current, "currentStatus", "error")
            listModel.setProperty(current, "errorMsg", errorMsg)
            mainwnd.removeFile(finalOutput)
        }
        if (errorMsg !== "complete")
            listModel.setProperty(current, "finalOutput", finalOutput)
        current += 1
        if (current < listModel.count) {
            mainPage.startNextConversion()
        } else {
            mainPage.conversionInProgress = false
            convertTab.finishRun()
        }
    }

    function cancelConversion() {
        if (!hasCurrent() || listModel.get(current).currentStatus !== "remove")
            return
        dropElement(current, false)
        if (listModel.count === 0) {
            idTabs.current = 0
            mainPage.conversionInProgress = false
        } else if (current < listModel.count) {
            mainPage.startNextConversion()
        } else {
            mainPage.conversionInProgress = false
        }
    }

    // Ends name editing; the keys of a name field that closes go back to the list.
    function clearSelections() {
        var editing = mainPage.holdsFocus(view) && !view.activeFocus
        for (var i = 0; i < listModel.count; ++i)
            listModel.setProperty(i, "selected", false)
        view.interactive = true
        if (editing)
            view.forceActiveFocus()
    }

    function isAllComplete() {
        for (var i = 0; i < listModel.count; ++i) {
            var status = listModel.get(i).currentStatus
            if (status !== "complete" && status !== "error")
                return
        }
        convertTab.convertButton.enabled = false
    }

    function showScrollBar() {
        scrollBar.opacity = 1
    }

    // The element that the run starts next is scrolled into view when it is not in it.
    function revealCurrent() {
        view.positionViewAtIndex(current, ListView.Contain)
    }

    // The keyboard works the row under its focus (the view's current row): the arrow keys move
    // it, Delete removes it as its remove button does, F2 renames it, Space and Enter open what a
    // finished one made.
    function keyOnRow(event) {
        var row = view.currentItem
        if (event.key === Qt.Key_Up || event.key === Qt.Key_Down) {
            event.accepted = true
            view.currentIndex = Math.max(0, Math.min(listModel.count - 1,
                                                     view.currentIndex + (event.key === Qt.Key_Up ? -1 : 1)))
            view.positionViewAtIndex(view.currentIndex, ListView.Contain)
            showScrollBar()
        } else if (!row) {
            return
        } else if (event.key === Qt.Key_Delete) {
            event.accepted = true
            if (!row.isBurn)
                removeFromList(view.currentIndex)
        } else if (event.key === Qt.Key_F2) {
            event.accepted = true
            row.startRename()
        } else {
            mainPage.pressWithKey(event, row.openResult)
        }
    }

    ListView {
        id: view
        objectName: "mediaView"
        anchors.fill: parent
        clip: true
        spacing: 2
        model: listModel
        delegate: mediaRow
        activeFocusOnTab: true
        keyNavigationEnabled: false
        Keys.onPressed: function(event) { mediaList.keyOnRow(event) }
        // Entering the list, the keys start on a row in view.
        onActiveFocusChanged: {
            if (activeFocus && (currentIndex < 0 || !currentItem || currentItem.y + currentItem.height <= contentY
                                || currentItem.y >= contentY + height))
                currentIndex = Math.max(0, indexAt(0, contentY + 1))
        }
        Accessible.role: Accessible.List
        Accessible.name: qsTr("Media List")
    }

    // Handlers rather than a mouse area over the rows, so that the rows keep their own hover and
    // clicks: the scroll bar shows while the pointer is over the list, and any press ends editing.
    HoverHandler {
        onHoveredChanged: scrollBar.opacity = hovered ? 1 : 0
    }
    TapHandler {
        gesturePolicy: TapHandler.DragThreshold
        onPressedChanged: {
            if (pressed)
                mediaList.clearSelections()
        }
    }

    ScrollBar {
        id: scrollBar
        objectName: "scrollBar"
        target: view
    }

    Image {
        objectName: "topFade"
        anchors.top: view.top
        width: view.width
        height: 20
        fillMode: Image.TileHorizontally
        source: "images/transparency-top.png"
        visible: listModel.count > 0 && view.contentY !== mediaList.addToContentY
    }

    Image {
        anchors.bottom: view.bottom
        width: view.width
        height: 20
        fillMode: Image.TileHorizontally
        source: "images/transparency-bottom.png"
        visible: listModel.count > 0 && !view.atYEnd
    }

    Component {
        id: mediaRow
        MediaRow {}
    }
}
