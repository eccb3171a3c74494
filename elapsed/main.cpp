#include "pellum.h"
#include "timerprogram.h"

int main(int argc, char** argv)
{
    return runTimerProgram<Pellum>(argc, argv);
}
