#include <iostream>

#include "HesapCli.h"

int main(int argc, char** argv) {
    return 0;
}
