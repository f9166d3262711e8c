// Prints the adjusted weight of two weight texts, in the user's locale.
#include "weight.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return 2;
    const QString text = formatWeight(computeAdjusted(readWeight(args[1]), readWeight(args[2])));
    std::puts(text.toUtf8().constData());
    return 0;
}
