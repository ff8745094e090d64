#pragma once

#include <QByteArray>
#include <QString>

// File operations that must never write through a link or replace what someone else put there.
namespace FileOps {

// Whether any directory entry has this name: a file, a folder, or a link, even one that points
// nowhere (writing to a dangling link would create its target, wherever that is).
[[nodiscard]] bool entryExists(const QString& path);

// Renames from to to in one step, only when to is free: nothing that appeared at to meanwhile is
// replaced. Returns false, with errno set, when it could not (EEXIST: the name is taken).
[[nodiscard]] bool renameIfFree(const QString& from, const QString& to);

// Puts from in the place of to in one step, so that a reader sees the old file or the new one,
// never a mixture or nothing. Returns false, with errno set, when it could not.
[[nodiscard]] bool replace(const QString& from, const QString& to);

// What tells this very file apart from one made later under the same name (its device and inode,
// of the entry itself, not of a link's target); empty when there is no such entry.
[[nodiscard]] QByteArray identity(const QString& path);

} // namespace FileOps
