import QtQuick 2.6
import Sailfish.Silica 1.0

Item {
    property bool iconBackground: false
    default property list<QtObject> actions
}
