import QtQuick 2.6
import Sailfish.Silica 1.0

ListView {
    property bool quickScroll: true

    function scrollToTop() { positionViewAtBeginning() }
}
