// Halvorn's disc-status helper for CD drives: asks the disc-information helper about the disc in
// the drive and prints "DISC_STATUS=BLANK" and "FREE_SECONDS=n" for a blank recordable CD,
// "DISC_STATUS=NOT_BLANK" for a written one, or a sentence for the user when it cannot tell.

#include "burn/burntext.h"
#include "burn/disccheck.h"
#include "platform/translation.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Its sentences reach the user in Halvorn's message boxes.
    Translation::install();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: Zenlow2 DEVICE\n");
        return 2;
    }
    const QString device = arguments.at(1);
    const std::optional<QString> info = DiscCheck::toolOutput(QStringLiteral("mossel"), {device});
    const QString report = info ? BurnText::discStatusReport(device, *info)
                                : QCoreApplication::translate("BurnText", "The disc-information tool could not be started.")
                                      + QLatin1Char('\n');
    std::fputs(qPrintable(report), stdout);
    return report.startsWith(QLatin1String("DISC_STATUS")) ? 0 : 1;
}
