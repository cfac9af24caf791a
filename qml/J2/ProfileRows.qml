import QtQuick
import "../js/keys.js" as Keys

// The named profiles, rows {name, number} in creation order, kept in the profile name
// list. The title-bar selector shows them from the start; the profile dialog, created
// when first opened, edits them.
QtObject {
    property var rows: []

    // The stored rows; the first row always carries the standard name of the language.
    function load(standardName) {
        var list = Keys.parseProfiles(ui_View.getNameList(Keys.NAME_LIST_PROFILES))
        if (list.length === 0)
            list.push({ name: "", number: 0 })
        list[0].name = standardName
        store(list)
    }
    function store(list) {
        rows = list
        ui_View.updataNameList(Keys.NAME_LIST_PROFILES, Keys.profileTexts(list))
    }
}
