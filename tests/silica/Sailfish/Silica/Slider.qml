import QtQuick 2.6
import Sailfish.Silica 1.0

// A value between minimumValue and maximumValue, dragged along a track; down
// while a finger is on it. valueText shows above the handle, label under the track.
Item {
    id: slider

    property real minimumValue: 0
    property real maximumValue: 1
    property real value: 0
    property real stepSize: 0
    property string label
    property string valueText
    readonly property bool down: area.pressed
    readonly property real sliderValue: value

    function _valueAt(x) {
        var fraction = Math.max(0, Math.min(1, (x - track.x) / track.width));
        var raw = minimumValue + fraction * (maximumValue - minimumValue);
        if (stepSize > 0)
            raw = minimumValue + Math.round((raw - minimumValue) / stepSize) * stepSize;
        return Math.max(minimumValue, Math.min(maximumValue, raw));
    }

    width: parent ? parent.width : 0
    height: Theme.itemSizeExtraLarge

    Text {
        anchors.horizontalCenter: handle.horizontalCenter
        anchors.bottom: track.top
        anchors.bottomMargin: Theme.paddingMedium
        color: Theme.highlightColor
        font.pixelSize: Theme.fontSizeLarge
        text: slider.valueText
    }
    Rectangle {
        id: track
        x: Theme.horizontalPageMargin
        y: slider.height / 2
        width: slider.width - 2 * x
        height: Theme.paddingSmall
        radius: height / 2
        color: Theme.rgba(Theme.highlightBackgroundColor, 0.4)
    }
    Rectangle {
        id: handle
        x: track.x + (slider.value - slider.minimumValue) / Math.max(0.0001, slider.maximumValue - slider.minimumValue) * track.width - width / 2
        anchors.verticalCenter: track.verticalCenter
        width: Theme.paddingLarge * 1.5
        height: width
        radius: width / 2
        color: slider.down ? Theme.highlightColor : Theme.primaryColor
    }
    Text {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: track.bottom
        anchors.topMargin: Theme.paddingMedium
        color: Theme.secondaryColor
        font.pixelSize: Theme.fontSizeSmall
        text: slider.label
    }
    MouseArea {
        id: area
        anchors.fill: parent
        preventStealing: true
        onPressed: slider.value = slider._valueAt(mouse.x)
        onPositionChanged: slider.value = slider._valueAt(mouse.x)
    }
}
