import QtQuick

Item {
    id: progressBar
    property int minimum: 0
    property int maximum: 100
    property int value: 0
    property color color: "#555555"

    width: 300
    height: 40
    clip: true
    Accessible.role: Accessible.ProgressBar

    readonly property real targetWidth: Math.max(0, width * (value - minimum) / (maximum - minimum) - 4)

    // Each change of width moves the bar over a second, in a few steps rather than at every frame:
    // a run reports progress every second, and a bar that never rests would have the window
    // redraw itself all through the run, taking processor time from FFmpeg.
    onTargetWidthChanged: stepper.begin()
    Timer {
        id: stepper
        readonly property int steps: 4
        property real from: 0
        property int step: 0
        interval: 1000 / steps
        repeat: true
        function begin() {
            from = bar.width
            step = 0
            restart()
        }
        onTriggered: {
            ++step
            bar.width = from + (progressBar.targetWidth - from) * step / steps
            if (step >= steps)
                stop()
        }
    }

    Rectangle {
        anchors.fill: parent
        color: "#777777"
        radius: 5
        border.width: 1
        border.color: progressBar.color
    }

    Rectangle {
        id: bar
        objectName: "progressFill"
        x: 2
        y: 2
        width: 0
        height: parent.height - 4
        radius: 5
        color: "#cccccc"
    }
}
