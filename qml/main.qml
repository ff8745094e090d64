import QtQuick

// The window's page: its own frame and title strip, the tab panel on the left, the media list on
// the right, the settings of a run, and the queue walk that converts the list item by item.
Rectangle {
    id: mainPage
    width: 800
    height: 552
    color: "#555555"
    radius: 5

    property string ffmpegArgs: ""
    property string outPath: ""
    property string outExt: ""
    property bool conversionInProgress: false
    property int overallDuration: 0
    property int formatId: 0
    property int outputId: 0
    property string srcTemp: ""
    property string desTemp: ""
    property bool burnOutput: false

    onConversionInProgressChanged: {
        mediaList.current = 0
        if (!conversionInProgress)
            convertTab.updateOverallProgress(false, 0)
        mediaList.isAllComplete()
    }

    // Seconds of an "hh:mm:ss" text, each field a decimal number (so "08" is eight); 0 when unreadable.
    function secondsOf(hhmmss) {
        var text = String(hhmmss)
        var seconds = 3600 * parseInt(text.substr(0, 2), 10) + 60 * parseInt(text.substr(3, 2), 10)
                      + parseInt(text.substr(6, 2), 10)
        return isNaN(seconds) ? 0 : seconds
    }

    function updateOverallDuration(mode, amount) {
        if (mode === "add")
            overallDuration += secondsOf(amount)
        else if (mode === "sub")
            overallDuration -= secondsOf(amount)
    }

    function isBurnSource(source) {
        return source === "burn_dvd" || source === "burn_cd"
    }

    // A CD rip's tracks all go into one album folder, named when the first of them is converted.
    function albumFolderFor(item) {
        var path = item.origPathName
        var ripFolder = path.substr(path.length - 11, 10)
        if (ripFolder !== srcTemp) {
            srcTemp = ripFolder
            var now = new Date()
            desTemp = "Album " + now.getFullYear() + "-" + (now.getMonth() + 1) + "-" + now.getDate() + " "
                      + now.getHours() + "-" + now.getMinutes() + "-" + now.getSeconds()
            mainwnd.makeDir(mainwnd.getMusicFolder() + desTemp)
        }
        return mainwnd.getMusicFolder() + desTemp
    }

    function outputPathFor(item) {
        if (burnOutput)
            return mainwnd.joinPath(mainwnd.getTempFolder() + desTemp, item.newFileName)
        if (formatTab.outputSameFolder.checked) {
            if (item.source === "file")
                return item.origPathName + item.newFileName
            if (item.source === "cd")
                return mainwnd.joinPath(albumFolderFor(item), item.newFileName)
            if (item.source === "dvd")
                return mainwnd.getVideoFolder() + item.newFileName
        }
        return outPath + item.newFileName
    }

    function startNextConversion() {
        conversionInProgress = true
        var model = mediaList.mediaListModel
        if (mediaList.current >= model.count) {
            conversionInProgress = false
            return
        }
        var item = model.get(mediaList.current)
        if (isBurnSource(item.source) && item.currentStatus === "wait") {
            mediaList.revealCurrent()
            mainwnd.startBurnDisc(item.source === "burn_dvd" ? "dvd" : "cd", item.fileName, desTemp, item.finalOutput)
            return
        }
        var removing = false
        for (var i = 0; i < mediaList.current; ++i) {
            if (model.get(i).currentStatus === "remove")
                removing = true
        }
        if (item.currentStatus !== "complete" && item.currentStatus !== "error" && !removing) {
            var aspect = item.wxh === "" ? "" : item.wxh.split(" ")[0]
            mediaList.revealCurrent()
            mainwnd.startNewConversion(item.origPathName + item.origFileName, ffmpegArgs, aspect,
                                       outputPathFor(item), outExt)
        } else if (item.currentStatus === "complete" && !removing) {
            mediaList.completeConversion(true, "", "complete")
        } else if (item.currentStatus === "error") {
            mediaList.completeConversion(false, item.finalOutput, item.errorMsg)
        } else {
            conversionInProgress = false
        }
    }

    // Space and Enter press the control that has the keyboard's focus; a key held down presses it
    // once.
    function pressWithKey(event, press) {
        if (event.key !== Qt.Key_Space && event.key !== Qt.Key_Return && event.key !== Qt.Key_Enter)
            return
        event.accepted = true
        if (!event.isAutoRepeat)
            press()
    }

    function holdsFocus(item) {
        for (var focused = mainPage.Window.activeFocusItem; focused; focused = focused.parent) {
            if (focused === item)
                return true
        }
        return false
    }

    // The first control of a part of the page that can take the keyboard's focus gets it.
    function focusFirstIn(item) {
        var next = item.nextItemInFocusChain(true)
        for (var inside = next; inside; inside = inside.parent) {
            if (inside === item) {
                next.forceActiveFocus(Qt.TabFocusReason)
                return
            }
        }
    }

    // Qt Quick leaves the keyboard's focus on a control that is hidden, where keys would go on
    // working it unseen: the focus moves to the control that took its place (its `focusHeir`),
    // or else on to the next control that is shown. Untyped, so that `focusHeir` can be asked for.
    readonly property var keyFocus: Window.activeFocusItem
    Connections {
        target: mainPage.keyFocus
        ignoreUnknownSignals: true
        // Once every binding of the change has settled, the heir's visibility too.
        function onVisibleChanged() { focusMover.restart() }
    }
    Timer {
        id: focusMover
        interval: 0
        onTriggered: mainPage.moveFocusOffHidden()
    }
    function moveFocusOffHidden() {
        var focused = keyFocus
        if (!focused || focused.visible)
            return
        var heir = focused.focusHeir
        if (!heir || !heir.visible || !heir.enabled)
            heir = focused.nextItemInFocusChain(true)
        if (heir && heir.visible)
            heir.forceActiveFocus(Qt.TabFocusReason)
    }

    // The tab rules of a header click; the pages' own changes of idTabs.current skip them.
    function selectTab(index) {
        mediaList.clearSelections()
        idTabs.current = index
        var empty = mediaList.mediaListModel.count === 0
        if (empty || ffmpegArgs === "") {
            if ((index === 1 || index === 2) && empty) {
                idTabs.current = 0
                mainwnd.warning(qsTr("You must have items in the Media List to proceed!"))
            } else if (index === 2 && ffmpegArgs === "") {
                idTabs.current = 1
                mainwnd.warning(qsTr("You must select an output device or format to proceed!"))
            }
        }
        if (conversionInProgress) {
            if (idTabs.current === 0) {
                idTabs.current = 2
                mainwnd.warning(qsTr("Please wait for the current conversion to finish before adding more media."))
            } else if (idTabs.current === 1) {
                idTabs.current = 2
                mainwnd.warning(qsTr("You cannot change the output format mid-conversion!"))
            }
        }
        if (idTabs.current !== 2)
            convertTab.currentOverallProgress = 0
    }

    function addFromEntry(index) {
        var entry = addTab.addModel.get(index)
        if (!entry || entry.type !== "file")
            return
        var files = mainwnd.openInputFile(entry.gOpenTitle, entry.gOpenFilter)
        if (files.length > 0)
            mediaList.addFile(files, "file")
    }

    Connections {
        target: mainwnd
        function onFileDropped(file) { mediaList.addFile(file, "file") }
        function onFileInfoReady(fileInfo, fileVideoInfo, fileAudioInfo) {
            mediaList.updateFile(fileInfo, fileVideoInfo, fileAudioInfo)
        }
        function onStartConversion(outFileName) { mediaList.conversionStart(outFileName) }
        function onConversionProgress(time) { mediaList.updateConversionProgress(time) }
        function onConversionComplete(quitOk, finalOutput, errorMsg) {
            mediaList.completeConversion(quitOk, finalOutput, errorMsg)
        }
        function onConversionCancelled() { mediaList.cancelConversion() }
        function onAddAudioFile() { mainPage.addFromEntry(0) }
        function onAddVideoFile() { mainPage.addFromEntry(1) }
        function onAddAudioCD(filename) { mediaList.addFile(filename, "cd") }
        function onAddDVD(filename, length) { mediaList.addDVD(filename, length) }
        function onBurnProgress(progress) {
            if (!mediaList.hasCurrent())
                return
            mediaList.mediaListModel.setProperty(mediaList.current, "currentStatus", progress + "%")
            convertTab.updateOverallProgress(true, (progress / 100) * 600)
        }
        function onBurnTextStatus(status) {
            if (mediaList.hasCurrent())
                mediaList.mediaListModel.setProperty(mediaList.current, "newFileName", status)
        }
        function onBurnEstTime(time) {
            if (mediaList.hasCurrent())
                mediaList.mediaListModel.setProperty(mediaList.current, "duration", time)
        }
    }

    MouseArea {
        anchors.fill: parent
        onClicked: mediaList.clearSelections()
    }

    Text {
        anchors.horizontalCenter: parent.horizontalCenter
        y: 10
        text: "Halvorn"
        color: "white"
        font.pointSize: 10
        style: Text.Raised
        styleColor: "#222222"
    }

    Row {
        id: menuRow
        x: 10
        y: 10
        spacing: 10
        Repeater {
            model: [qsTr("File"), qsTr("Help")]
            delegate: Text {
                id: menuTitle
                text: modelData
                color: "white"
                font.pointSize: 10
                style: menuArea.containsMouse ? Text.Sunken : Text.Raised
                activeFocusOnTab: true
                function open() { mainwnd.showMenu(index, menuTitle.x + 5) }
                Keys.onPressed: function(event) {
                    if (event.key === Qt.Key_Down) {
                        event.accepted = true
                        menuTitle.open()
                    } else {
                        mainPage.pressWithKey(event, menuTitle.open)
                    }
                }
                Accessible.role: Accessible.ButtonMenu
                Accessible.name: text
                Accessible.onPressAction: menuTitle.open()
                FocusRing {}
                MouseArea {
                    id: menuArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: menuTitle.open()
                }
            }
        }
    }

    Row {
        anchors.top: parent.top
        anchors.topMargin: 7
        anchors.right: parent.right
        anchors.rightMargin: 8
        spacing: 5

        Image {
            id: minimizeButton
            source: "images/minimizeButton.png"
            opacity: minimizeArea.containsMouse ? 0.5 : 1.0
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Minimize")
            Accessible.onPressAction: mainwnd.showMinimized()
            MouseArea {
                id: minimizeArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: mainwnd.showMinimized()
            }
        }

        Image {
            id: maximizeButton
            objectName: "maximizeButton"
            property int toggle: 0
            source: "images/maximizeButton.png"
            opacity: maximizeArea.containsMouse ? 0.5 : 1.0
            function toggleSize() {
                if (maximizeButton.toggle === 0) {
                    mainwnd.showMaximized()
                    maximizeButton.source = "images/restoreButton.png"
                    maximizeButton.toggle = 1
                } else {
                    mainwnd.showNormal()
                    maximizeButton.source = "images/maximizeButton.png"
                    maximizeButton.toggle = 0
                }
            }
            Accessible.role: Accessible.Button
            Accessible.name: toggle === 0 ? qsTr("Maximize") : qsTr("Restore")
            Accessible.onPressAction: maximizeButton.toggleSize()
            MouseArea {
                id: maximizeArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: maximizeButton.toggleSize()
            }
        }

        Image {
            source: "images/closeButton.png"
            opacity: closeArea.containsMouse ? 0.5 : 1.0
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Close")
            Accessible.onPressAction: mainwnd.close()
            MouseArea {
                id: closeArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: mainwnd.close()
            }
        }
    }

    TabWidget {
        id: idTabs
        objectName: "idTabs"
        width: 380
        anchors.left: parent.left
        anchors.leftMargin: 10
        anchors.top: parent.top
        anchors.topMargin: 32
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 10

        AddTab { id: addTab; objectName: "addTab"; anchors.fill: parent }
        FormatTab { id: formatTab; objectName: "formatTab"; anchors.fill: parent }
        ConvertTab { id: convertTab; objectName: "convertTab"; anchors.fill: parent }
    }

    MediaList {
        id: mediaList
        objectName: "mediaList"
        anchors.left: parent.left
        anchors.leftMargin: 400
        anchors.top: parent.top
        anchors.topMargin: 32
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 10
    }

    Rectangle {
        anchors.fill: mediaList
        color: "#555555"
        visible: mediaList.mediaListModel.count === 0
        Image {
            anchors.centerIn: parent
            source: "images/dragDrop.png"
            Text {
                x: 12
                y: 126
                width: parent.width - 24
                height: 28
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: qsTr("Drop audio and video files here")
                color: "#fdfdfd"
                font.pixelSize: 16
                font.bold: true
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: 9
            }
            Text {
                x: 12
                y: 156
                width: parent.width - 24
                height: 24
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: qsTr("or choose them on the Add tab")
                color: "#b4b2ae"
                font.pixelSize: 13
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: 9
            }
        }
    }
    // Every tip of the pages is drawn here, last and so above everything else.
    Item {
        id: toolTipLayer
        objectName: "toolTipLayer"
        anchors.fill: parent
    }
}
