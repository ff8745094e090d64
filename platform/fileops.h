#pragma once

#include <QString>

// File operations that must never write through a link or replace what someone else put there.
namespace FileOps {

// Whether any directory entry has this name: a file, a folder, or a link, even one that points
// nowhere (writing to a dangling link would create its target, wherever that is).
[[nodiscard]] bool entryExists(const QString& path);

// Renames from to to in one step, only when to is free: nothing that appeared at to meanwhile is
// replaced. Returns false, with errno set, when it could not (EEXIST: the name is taken).
[[nodiscard]] bool renameIfFree(const QString& from, const QString& to);

} // namespace FileOps
