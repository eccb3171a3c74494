#include "pellum.h"
#include "timerprogram.h"

int main(int argc, char** argv)
{
    return runTimerProgram<Pellum>(argc, argv,
                                   {QStringLiteral("Pellum"), QStringLiteral("org.orvane.pellum"),
                                    QStringLiteral("Pellum 8.01"),
                                    QStringLiteral("An elapsed-time timer counting up.")});
}
