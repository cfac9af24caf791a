import QtQuick

Item {
    id: profileSelector

    property var rows: []

    signal profileChange(int profileNo)

    function selectProfile(no) {}
    function closeMenu() {}

    width: 144
    height: 24
}
