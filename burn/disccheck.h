#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The disc checks before a burn: the helpers that look at a drive and its disc, run to their end
// on the calling thread, each for at most 30 seconds. That thread is never the GUI thread: a worker
// whose interruption is requested ends the helper at once.
namespace DiscCheck {

// What the helper printed on its standard output; nothing when it is missing or cannot start.
[[nodiscard]] std::optional<QString> toolOutput(const QString& name, const QStringList& arguments);

// The message for the disc in a DVD drive (the drive as the burner is given it) or a CD drive (its
// device); empty when the disc is blank and large enough for totalSeconds of media.
[[nodiscard]] QString checkDvd(const QString& drive, int totalSeconds);
[[nodiscard]] QString checkCd(const QString& device, int totalSeconds);

// The CD burner's bus scan, rewritten to "b,t,u [identity]" lines; empty when it cannot run.
[[nodiscard]] QStringList scanBus();

} // namespace DiscCheck
