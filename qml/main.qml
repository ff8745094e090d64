import QtQuick

Rectangle {
    id: mainPage
    width: 800
    height: 552
    color: "#555555"
    radius: 5

    Text {
        id: title
        anchors.horizontalCenter: parent.horizontalCenter
        y: 10
        text: "Halvorn"
        textFormat: Text.PlainText
        color: "white"
        font.pointSize: 10
        style: Text.Raised
        styleColor: "#222222"
    }
}
