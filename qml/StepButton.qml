import QtQuick

// Back or Next at the foot of a tab: its chevron on the picture, its word beside the chevron.
PushButton {
    property bool forward: true

    image: forward ? "images/nextButton.png" : "images/backButton.png"
    pressedImage: forward ? "images/nextButtonClicked.png" : "images/backButtonClicked.png"
    textLeft: forward ? 12 : 30
    textRight: forward ? 26 : 8
}
