import QtQuick

// What the queue becomes: devices and formats on the first page, the chosen one's presets on the
// second, with a settings panel for the FFmpeg arguments and the output folder.
Rectangle {
    id: formatTabPage
    property string tabImage: "images/formatTab.png"
    property string tabImageSelected: "images/formatTabSelected.png"
    property string title: qsTr("Format")
    property alias outputSameFolder: sameFolderBox
    property alias outputModel: outputListModel
    property alias outputSelected: outputListModel.selectedNumber
    property bool deviceFormatPage: true
    property string secondPageTitle: ""
    // The device or format whose presets are shown, and what the Convert tab shows of the choice.
    property string openedName: ""
    property string chosenName: ""
    property string chosenPreset: ""
    property bool argumentsEdited: false
    // The opened presets fit a size, which the user may also type.
    property bool fitsSize: false

    color: "#686663"

    ListModel { id: deviceListModel }
    ListModel { id: formatListModel }
    ListModel {
        id: outputListModel
        property int selectedNumber: -1
    }

    function fillFromRows(model, rows) {
        for (var i = 0; i + 6 < rows.length; i += 7)
            model.append({ gId: rows[i], gIconText: rows[i + 1], gIconImage: rows[i + 3] })
    }

    function addIconsToDeviceList() { fillFromRows(deviceListModel, mainwnd.getDeviceModel()) }
    function addIconsToFormatList() { fillFromRows(formatListModel, mainwnd.getFormatModel()) }

    function addIconsToOutputPage(id, title, device) {
        outputListModel.clear()
        secondPageTitle = device ? title : qsTr("%1 Quality").arg(title)
        var rows = mainwnd.getOutputModel(id)
        for (var i = 0; i + 8 < rows.length; i += 9) {
            outputListModel.append({ gFormatId: id, gOutputId: rows[i], gIconImage: rows[i + 3],
                                     gIconText: rows[i + 1], gArgList: rows[i + 8], gAssociatedExt: rows[i + 4],
                                     gId: rows[i] })
        }
        outputListModel.selectedNumber = -1
        fitsSize = rows.length > 8 && mainwnd.fitSizeOf(rows[8]) !== ""
        openedName = title
        deviceFormatPage = false
        // After the new presets are laid out, so that the first one shows at the left whatever the
        // strip showed of the last device or format.
        presetStrip.positionViewAtBeginning()
    }

    function choosePreset(index) {
        var preset = outputListModel.get(index)
        mainPage.ffmpegArgs = preset.gArgList
        mainPage.outExt = preset.gAssociatedExt
        outputListModel.selectedNumber = index
        mainPage.formatId = Number(preset.gFormatId)
        mainPage.outputId = Number(preset.gOutputId)
        // Kept with the choice: a burn element takes the preset's label even after the arguments
        // were edited or another page of presets was opened.
        chosenName = openedName
        chosenPreset = preset.gIconText
        argumentsEdited = false
    }

    // A size typed in MB: the preset of that size, or the size put into the chosen preset of this
    // page (its first, when none is chosen yet). A size of the user's own is no preset's.
    function chooseSize(megabytes) {
        var size = Number(megabytes)
        if (!(size > 0))
            return
        if (mainwnd.fitSizeOf(mainPage.ffmpegArgs) === "" || mainPage.formatId !== Number(outputListModel.get(0).gFormatId))
            choosePreset(0)
        for (var i = 0; i < outputListModel.count; ++i) {
            if (Number(mainwnd.fitSizeOf(outputListModel.get(i).gArgList)) === size) {
                choosePreset(i)
                return
            }
        }
        mainPage.ffmpegArgs = mainwnd.withFitSize(mainPage.ffmpegArgs, String(size))
        outputListModel.selectedNumber = -1
        mainPage.outputId = 0
        chosenPreset = qsTr("%1 MB").arg(size)
        argumentsEdited = false
    }

    // Moves a strip or the grid by whole icons, from where it is heading, kept within its ends.
    function moveView(view, icons) {
        var start = view.originX
        var end = view.originX + Math.max(0, view.contentWidth - view.width)
        view.contentX = Math.max(start, Math.min(end, view.restingX + icons * 92))
    }

    // One icon a notch of the wheel (or of a touchpad's equivalent), either way of turning it.
    function wheelView(view, wheel) {
        var delta = wheel.angleDelta.y !== 0 ? wheel.angleDelta.y : -wheel.angleDelta.x
        var notches = Math.max(1, Math.round(Math.abs(delta) / 120))
        if (delta !== 0)
            moveView(view, delta < 0 ? notches : -notches)
    }

    // A dragged format grid comes to rest on a whole icon.
    function snapFormatGrid() {
        var rest = formatGrid.contentX % 92
        var target = rest > 46 ? formatGrid.contentX - rest + 92 : formatGrid.contentX - rest
        var end = Math.max(0, formatGrid.contentWidth - formatGrid.width)
        formatGrid.contentX = Math.max(0, Math.min(end, target))
    }

    function chooseOutputFolder() {
        var folder = mainwnd.openOutputFolder()
        if (folder === "")
            return false
        folderField.text = mainwnd.joinPath(folder, "")
        return true
    }

    Component.onCompleted: {
        addIconsToDeviceList()
        addIconsToFormatList()
    }

    component StripHeading: Text {
        x: 17
        color: "white"
        font.pointSize: 13
        style: Text.Raised
    }

    // The keyboard's focus enters a strip or the grid on the first entry in view, and the arrow
    // keys move it entry by entry, the view following so that the entry stays in sight. A strip
    // gives the focus to its current entry, which Space and Enter press; the grid keeps it and
    // shows it on its entry.
    function firstInView(view) {
        return Math.max(0, Math.round((view.restingX - view.originX) / 92))
    }
    function keepInView(view, column) {
        var left = view.originX + column * 92
        if (left < view.restingX)
            view.contentX = left
        else if (left + 92 > view.restingX + view.width)
            view.contentX = left + 92 - view.width
    }

    // The frame of a text field on this page, lit while the field has the keyboard's focus.
    component FieldFrame: Rectangle {
        property bool lit: false
        height: 20
        color: "white"
        border.color: lit ? "#f0a030" : "#8a8886"
        border.width: lit ? 2 : 1
    }

    component IconStrip: ListView {
        id: strip
        // Where an animated move is heading, so that quick notches of the wheel add up.
        readonly property real restingX: slide.running ? slideTo.targetValue : contentX
        property string title
        width: 368
        height: 120
        orientation: ListView.Horizontal
        snapMode: ListView.SnapToItem
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        activeFocusOnTab: true
        keyNavigationEnabled: false
        onMovementStarted: mediaList.clearSelections()
        onActiveFocusChanged: {
            if (activeFocus)
                currentIndex = Math.min(count - 1, formatTabPage.firstInView(strip))
        }
        Keys.onPressed: function(event) {
            var step = event.key === Qt.Key_Right ? 1 : event.key === Qt.Key_Left ? -1 : 0
            if (step !== 0) {
                event.accepted = true
                currentIndex = Math.max(0, Math.min(count - 1, currentIndex + step))
                formatTabPage.keepInView(strip, currentIndex)
            }
        }
        Accessible.role: Accessible.List
        Accessible.name: title
        Behavior on contentX {
            id: slideTo
            enabled: !strip.moving
            NumberAnimation { id: slide; duration: 100 }
        }
        WheelHandler { onWheel: function(wheel) { formatTabPage.wheelView(strip, wheel) } }
    }

    // ---- devices and formats ----
    Item {
        id: firstPage
        anchors.fill: parent
        anchors.bottomMargin: 72
        visible: formatTabPage.deviceFormatPage

        StripHeading { y: 10; text: qsTr("Devices") }

        IconStrip {
            id: deviceStrip
            objectName: "deviceStrip"
            x: 6
            y: 37
            model: deviceListModel
            title: qsTr("Devices")
            delegate: Icon {
                iconImage: model.gIconImage
                iconText: model.gIconText
                selected: Number(model.gId) === mainPage.formatId
                onClicked: formatTabPage.addIconsToOutputPage(model.gId, model.gIconText, true)
            }
        }
        ScrollArrow { objectName: "deviceLeft"; x: 280; y: 10; view: deviceStrip; forward: false; visible: deviceListModel.count > 4 }
        ScrollArrow { objectName: "deviceRight"; x: 310; y: 10; view: deviceStrip; forward: true; visible: deviceListModel.count > 4 }

        StripHeading { y: 150; text: qsTr("Formats") }

        Flickable {
            id: formatGrid
            objectName: "formatGrid"
            x: 6
            y: 170
            width: 368
            height: 200
            clip: true
            contentWidth: formatIcons.width
            contentHeight: formatIcons.height
            flickableDirection: Flickable.HorizontalFlick
            boundsBehavior: Flickable.StopAtBounds
            onMovementStarted: mediaList.clearSelections()
            onDraggingChanged: {
                if (!dragging)
                    formatTabPage.snapFormatGrid()
            }
            readonly property real restingX: gridSlide.running ? gridSlideTo.targetValue : contentX
            // The entry under the keyboard's focus. The grid fills its two rows one after the other.
            property int keyIndex: 0
            activeFocusOnTab: true
            onActiveFocusChanged: {
                if (activeFocus)
                    keyIndex = Math.min(formatListModel.count - 1, formatTabPage.firstInView(formatGrid))
            }
            Keys.onPressed: function(event) {
                var columns = formatIcons.columns
                var column = keyIndex % columns
                var target = event.key === Qt.Key_Right ? (column + 1 < columns ? keyIndex + 1 : keyIndex)
                           : event.key === Qt.Key_Left ? (column > 0 ? keyIndex - 1 : keyIndex)
                           : event.key === Qt.Key_Down ? keyIndex + columns
                           : event.key === Qt.Key_Up ? keyIndex - columns : -2
                if (target === -2) {
                    mainPage.pressWithKey(event, function() { formatRepeater.itemAt(formatGrid.keyIndex).press() })
                    return
                }
                event.accepted = true
                if (target >= 0 && target < formatListModel.count)
                    keyIndex = target
                formatTabPage.keepInView(formatGrid, keyIndex % columns)
            }
            Accessible.role: Accessible.List
            Accessible.name: qsTr("Formats")
            Behavior on contentX {
                id: gridSlideTo
                enabled: !formatGrid.dragging
                NumberAnimation { id: gridSlide; duration: 100 }
            }
            WheelHandler { onWheel: function(wheel) { formatTabPage.wheelView(formatGrid, wheel) } }
            Grid {
                id: formatIcons
                rows: 2
                columns: Math.ceil(formatListModel.count / 2)
                Repeater {
                    id: formatRepeater
                    model: formatListModel
                    delegate: Icon {
                        iconImage: model.gIconImage
                        iconText: model.gIconText
                        keyCurrent: index === formatGrid.keyIndex && formatGrid.activeFocus
                        selected: Number(model.gId) === mainPage.formatId
                        onClicked: formatTabPage.addIconsToOutputPage(model.gId, model.gIconText, false)
                    }
                }
            }
        }
        ScrollArrow { objectName: "formatLeft"; x: 280; y: 150; view: formatGrid; forward: false; visible: formatListModel.count > 8 }
        ScrollArrow { objectName: "formatRight"; x: 310; y: 150; view: formatGrid; forward: true; visible: formatListModel.count > 8 }
    }

    // ---- presets of one device or format ----
    Item {
        id: secondPage
        anchors.fill: parent
        anchors.bottomMargin: 72
        visible: !formatTabPage.deviceFormatPage

        StripHeading { y: 10; text: formatTabPage.secondPageTitle; textFormat: Text.PlainText }

        IconStrip {
            id: presetStrip
            objectName: "presetStrip"
            x: 6
            y: 37
            model: outputListModel
            title: qsTr("Presets")
            delegate: Icon {
                iconImage: model.gIconImage
                iconText: model.gIconText
                selected: Number(model.gId) === mainPage.outputId
                onClicked: formatTabPage.choosePreset(index)
            }
        }
        ScrollArrow { objectName: "presetLeft"; x: 280; y: 10; view: presetStrip; forward: false; visible: outputListModel.count > 4 }
        ScrollArrow { objectName: "presetRight"; x: 310; y: 10; view: presetStrip; forward: true; visible: outputListModel.count > 4 }

        // Beside the settings icon, clear of the settings panel.
        Row {
            id: sizeRow
            x: 17
            anchors.verticalCenter: settingsIcon.verticalCenter
            spacing: 8
            visible: formatTabPage.fitsSize
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Size in MB:")
                color: "white"
            }
            FieldFrame {
                width: 70
                lit: sizeField.activeFocus
                TextInput {
                    id: sizeField
                    objectName: "sizeField"
                    activeFocusOnTab: true
                    Accessible.role: Accessible.EditableText
                    Accessible.name: qsTr("Size in MB")
                    anchors.fill: parent
                    anchors.leftMargin: 3
                    anchors.rightMargin: 3
                    verticalAlignment: TextInput.AlignVCenter
                    clip: true
                    selectByMouse: true
                    validator: RegularExpressionValidator { regularExpression: /[0-9]{1,6}([.][0-9]{1,3})?/ }
                    // Shows the chosen size; a partly typed one stays until the field is left.
                    function showChosen() { text = mainwnd.fitSizeOf(mainPage.ffmpegArgs) }
                    Component.onCompleted: showChosen()
                    onActiveFocusChanged: {
                        if (!activeFocus)
                            showChosen()
                    }
                    onTextEdited: {
                        if (acceptableInput)
                            formatTabPage.chooseSize(text)
                    }
                    Connections {
                        target: mainPage
                        function onFfmpegArgsChanged() {
                            if (!sizeField.activeFocus)
                                sizeField.showChosen()
                        }
                    }
                }
            }
        }

        Rectangle {
            id: settingsPanel
            objectName: "settingsPanel"
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: presetStrip.bottom
            anchors.bottom: settingsIcon.top
            anchors.bottomMargin: 6
            color: "#c0c0c0"
            visible: settingsIcon.selected

            Text {
                x: 17
                y: 8
                text: qsTr("Settings")
                font.pointSize: 11
                font.bold: true
                color: "#333333"
            }

            Text {
                id: argumentsLabel
                x: 17
                y: 32
                text: qsTr("FFmpeg Arguments:")
                color: "#333333"
            }
            FieldFrame {
                anchors.left: argumentsLabel.right
                anchors.leftMargin: 8
                anchors.verticalCenter: argumentsLabel.verticalCenter
                anchors.right: parent.right
                anchors.rightMargin: 17
                lit: argumentsField.activeFocus
                TextInput {
                    id: argumentsField
                    objectName: "argumentsField"
                    activeFocusOnTab: true
                    Accessible.role: Accessible.EditableText
                    Accessible.name: qsTr("FFmpeg Arguments")
                    anchors.fill: parent
                    anchors.leftMargin: 3
                    anchors.rightMargin: 3
                    verticalAlignment: TextInput.AlignVCenter
                    clip: true
                    selectByMouse: true
                    text: mainPage.ffmpegArgs
                    onTextEdited: {
                        mainPage.ffmpegArgs = text
                        outputListModel.selectedNumber = -1
                        formatTabPage.argumentsEdited = true
                    }
                }
            }

            Text {
                id: folderLabel
                x: 17
                y: argumentsLabel.y + 20 + 6
                text: qsTr("Output Folder:")
                color: "#333333"
            }
            FieldFrame {
                anchors.left: argumentsLabel.right
                anchors.leftMargin: 8
                anchors.verticalCenter: folderLabel.verticalCenter
                anchors.right: parent.right
                anchors.rightMargin: 17
                id: folderBox
                color: sameFolderBox.checked ? "#d8d8d8" : "white"
                lit: activeFocus
                // A press chooses the folder, unless the outputs go beside their sources.
                function press() {
                    if (!sameFolderBox.checked)
                        formatTabPage.chooseOutputFolder()
                }
                activeFocusOnTab: true
                Keys.onPressed: function(event) { mainPage.pressWithKey(event, folderBox.press) }
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Output Folder")
                Accessible.description: folderField.text
                Accessible.onPressAction: folderBox.press()
                TextInput {
                    id: folderField
                    objectName: "folderField"
                    anchors.fill: parent
                    anchors.leftMargin: 3
                    anchors.rightMargin: 3
                    verticalAlignment: TextInput.AlignVCenter
                    clip: true
                    readOnly: true
                    onTextChanged: mainPage.outPath = text
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: folderBox.press()
                }
            }

            CheckBox {
                id: sameFolderBox
                objectName: "sameFolderBox"
                // White text would vanish on the light panel.
                labelColor: "#222222"
                // The label is too long to stand right of the fields' left edge in a 380-pixel panel.
                x: 17
                y: folderLabel.y + 20 + 6
                onToggleRequested: formatTabPage.toggleSameFolder()
                MouseArea {
                    anchors.fill: parent
                    onClicked: formatTabPage.toggleSameFolder()
                }
            }
        }

        Icon {
            id: settingsIcon
            objectName: "settingsIcon"
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.rightMargin: 10
            anchors.bottomMargin: 10
            activeFocusOnTab: true
            iconImage: "images/icons/settings.png"
            iconText: qsTr("Settings")
            onClicked: selected = !selected
        }
    }

    function toggleSameFolder() {
        sameFolderBox.checked = !sameFolderBox.checked
        if (!sameFolderBox.checked) {
            if (!chooseOutputFolder())
                sameFolderBox.checked = true
        } else {
            folderField.text = ""
        }
    }

    StepButton {
        objectName: "formatBack"
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        anchors.margins: 10
        forward: false
        text: qsTr("Back")
        onActivated: {
            if (formatTabPage.deviceFormatPage)
                idTabs.current = 0
            else
                formatTabPage.deviceFormatPage = true
        }
    }

    StepButton {
        objectName: "formatNext"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 10
        text: qsTr("Next")
        onActivated: {
            if (mainPage.ffmpegArgs !== "")
                idTabs.current = 2
            else
                mainwnd.warning(qsTr("You must select an output device or format to proceed!"))
        }
    }
}
