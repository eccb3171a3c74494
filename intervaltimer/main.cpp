#include "timerprogram.h"
#include "vexlo.h"

int main(int argc, char** argv)
{
    return runTimerProgram<Vexlo>(
        argc, argv,
        {QStringLiteral("Vexlo"), QStringLiteral("org.orvane.vexlo"), QStringLiteral("Vexlo 8.02"),
         QStringLiteral("An interval timer of up to 24 hours that sounds and flashes at zero.")});
}
