#pragma once

#include <QString>
#include <QStringList>

// The start-up steps that run before the window exists.
namespace Startup {

// What the window and the batch mode say when there is no catalogue to work with.
[[nodiscard]] QString catalogueMissingMessage();

// The use counters write to the catalogue, so the user works on a copy in the data folder. The
// first start copies the bundled one there; a later release whose catalogue has a higher version
// replaces the copy, keeping its use counters. Returns whether the user's catalogue exists afterwards.
[[nodiscard]] bool installCatalogue(const QString& bundledCatalogue);

// A user's catalogue that cannot be read (damaged bytes, tables missing) would give an empty
// window without a word: say so, and offer to put the bundled one back. The damaged file is kept
// beside it as "data.db.damaged" (numbered when that name is taken).
void repairCatalogue(const QString& bundledCatalogue);

// The folder steps of every start, the window's and the batch mode's: the temporary folder, the
// working files that killed runs left behind, then the user's catalogue from the bundled one.
// Returns whether the catalogue is there.
[[nodiscard]] bool prepareFolders();

} // namespace Startup
