import QtQuick 2.6
import Sailfish.Silica 1.0

Flickable {
    property bool quickScroll: true

    function scrollToTop() { contentY = originY }

    flickableDirection: Flickable.VerticalFlick
}
