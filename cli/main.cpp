#include "CommandLine.h"

int main(int argc, char** argv)
{
    return RunRenderCommand(argc, argv);
}
