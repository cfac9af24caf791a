#pragma once
// Reading list values back from the INI settings files.
//
// A list of two or more values reads back as a list of texts; a one-element list
// written by this program reads back as a one-element list; a plain single value
// (as older files store one-element lists) reads back as that value. Where a list
// is expected, all three become a QVariantList; an absent key becomes an empty list.
// (QVariant(QString).toList() would split a text into characters: never use it here.)

#include <QVariant>
#include <QVariantList>

QVariantList settingsList(const QVariant& value);

// Element i of a stored list as an int; 0 when the list is shorter or the element is not a number.
int settingsListInt(const QVariantList& list, int i);
