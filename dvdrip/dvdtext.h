#pragma once

#include <QList>
#include <QString>

#include <optional>

// What the DVD subsystem reads from its title tool and the names it makes: text in, value out.
namespace DvdText {

// The last line of a tool's standard error that says something: the tool's own reason.
[[nodiscard]] QString lastLine(const QString& errors);

// What the user is told when the title tool died by a signal: the library it reads the disc with
// gave up on title information it could not make sense of. Its last words are no reason to show.
[[nodiscard]] QString damagedDisc();

// The lengths in milliseconds of titles 1, 2, ... of a title listing: the count is the two
// characters after "TITLES:" and its separator; each title's length is the number that starts 14
// characters after the first "LENGTH" following its marker "TITLE_nn". The list stops at the first
// title whose marker or length is missing, so row k always stays title k + 1.
[[nodiscard]] QList<qint64> parseTitleListing(const QString& listing);

// Milliseconds as "hh:mm:ss", whole seconds only.
[[nodiscard]] QString lengthText(qint64 ms);

// The last percentage in a chunk of rip output: the three characters before its last "%", with the
// backspaces that step over an earlier figure taken out. Nothing when the chunk has no "%".
[[nodiscard]] std::optional<int> parsePercent(const QString& chunk);

// The whole rip's percentage when the title at position (from 0) of count titles is percent done:
// every title gets an equal share.
[[nodiscard]] int ripProgress(int percent, int position, int count);

// A volume label fit to start a file name: no separators, control characters or dot-only names;
// "DVD" when nothing is left.
[[nodiscard]] QString safeFileLabel(const QString& label);

} // namespace DvdText
