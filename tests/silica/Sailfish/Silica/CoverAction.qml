import QtQuick 2.6

QtObject {
    property url iconSource

    signal triggered()
}
