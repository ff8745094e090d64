#pragma once

#include <QString>

namespace TempFiles {

// Deletes a file, a link or a whole folder, but only when it lies inside folder (never folder
// itself). Paths are compared after resolving "..", links of the parent folders and the folder's
// own path, so neither "temp/../x" nor a link inside that leads outside can delete anything
// outside; a link is removed itself, never followed. A file that cannot be deleted is retried for
// up to a second (a cancelled FFmpeg may not have let go of it yet). Returns whether path is gone.
[[nodiscard]] bool removeInside(const QString& folder, const QString& path);

} // namespace TempFiles
