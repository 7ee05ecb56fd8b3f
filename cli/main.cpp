#include "RenderProgram.h"

int main(int argc, char** argv)
{
    return RunRenderProgram(argc, argv);
}
