#include "timerprogram.h"
#include "vexlo.h"

int main(int argc, char** argv)
{
    return runTimerProgram<Vexlo>(argc, argv);
}
