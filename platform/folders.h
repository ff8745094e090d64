#pragma once

#include <QString>

// Where Halvorn keeps its files. Every folder path that ends in a separator says so in its name;
// the others have none, so callers never have to guess before joining.
namespace Folders {

inline constexpr auto applicationName = "Halvorn";
inline constexpr auto applicationVersion = HALVORN_VERSION;

// Sets the name and version that every part of the program reads back; the data folder is named
// after the application, so this comes before any folder is asked for.
void setIdentity();

// $XDG_DATA_HOME/<application name>: holds the user's copy of the catalogue.
[[nodiscard]] QString dataFolder();
// dataFolder() + "/temp": thumbnails, rips, burn work folders and the run log; emptied on close.
[[nodiscard]] QString tempFolder();
[[nodiscard]] QString tempFolderWithSeparator();
// Makes the temporary folder (and the data folder above it) when it is missing: every writer into
// it calls this first, because the folder may have been deleted while Halvorn runs.
void makeTempFolder();
[[nodiscard]] QString cataloguePath();
[[nodiscard]] QString runLogPath();
// dataFolder() + "/logs": the batch mode's run logs, one file per run. Not in the temporary folder,
// which the window empties when it closes, perhaps while a batch run writes there.
[[nodiscard]] QString batchLogFolder();
// The user's Music and Videos folders, with a trailing separator; they may not exist yet.
[[nodiscard]] QString musicFolderWithSeparator();
[[nodiscard]] QString videoFolderWithSeparator();
// The data.db that ships with the program: beside the executable when run from the build tree,
// otherwise in the installed share folder. Empty when neither exists.
[[nodiscard]] QString bundledCataloguePath();
// The folder of the program's translations (halvorn_LANGUAGE.qm), found as the catalogue is, from
// the helper tools too; empty when there is none.
[[nodiscard]] QString bundledTranslationsFolder();

// Makes and returns the folder of one rip inside parent, named by the number of seconds since 1970
// or the next free number after it; "" when no folder can be made there.
[[nodiscard]] QString makeRipFolder(const QString& parent, qint64 seconds);

} // namespace Folders
