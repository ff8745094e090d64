import QtQuick

// The time the whole run still needs, once a second while it runs; empty until the native side has
// measured the kinds of work still ahead.
Text {
    id: timeLeft
    width: 340
    height: 20
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    textFormat: Text.PlainText
    color: "#dddddd"
    font.pixelSize: 12
    Accessible.name: text

    // Source word, frame size and duration of every item from the cursor on that is still to do.
    function unfinishedItems() {
        var rows = []
        var model = mediaList.mediaListModel
        for (var i = mediaList.current; i < model.count; ++i) {
            var item = model.get(i)
            if (item.currentStatus !== "complete" && item.currentStatus !== "error" && item.currentStatus !== "remove")
                rows.push(item.source, item.wxh, item.duration)
        }
        return rows
    }

    Timer {
        interval: 1000
        repeat: true
        running: mainPage.conversionInProgress
        onTriggered: timeLeft.text = mainwnd.timeLeft(mainPage.ffmpegArgs, timeLeft.unfinishedItems())
        onRunningChanged: timeLeft.text = ""
    }
}
