#pragma once
#include <QString>

// Brings a per-user settings tree up to the installed one: creates it when missing
// and adds every folder and file of the installed tree that it lacks. A file that
// exists is never touched, whatever it holds: the user's settings win over a newer
// installation. Each file is written under a temporary name and renamed when
// complete, so a first copy cut short leaves only whole files, and the next call
// adds the rest before the tree is used.
// Writes nothing outside userTree (and the folders leading to it). Returns false and
// says why in *error when the tree cannot be made whole; a missing installed tree is
// an error only while the user tree does not exist.
bool completeUserTree(const QString& installedTree, const QString& userTree, QString* error);
