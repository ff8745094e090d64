#pragma once

#include <QString>
#include <QStringList>

// Whether a finished conversion's output holds what its job asked for. The output's header is read
// in-process; what the source holds comes from FFmpeg's report on it at the start of the conversion,
// so judging costs no further FFmpeg run. Each check looks at one thing and says in plain words what
// is wrong; the first that finds something decides.
namespace OutputCheck {

// An output this much shorter than its source did not get all of it.
inline constexpr double shortestShare = 0.95;

struct Job {
    QString input;
    QStringList args;
    QString report;        // FFmpeg's report on the input: the start of the conversion's own output
    qint64 sizeLimit = 0;  // the most bytes the output may take; 0: any number
};

struct Verdict {
    QString reason;        // "" when the output holds what the job asked for; otherwise why not
    bool tooLarge = false; // it holds all of it, but in more bytes than the job allows
};

[[nodiscard]] Verdict judge(const Job& job, const QString& output);

} // namespace OutputCheck
