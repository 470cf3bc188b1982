#include "app/tizgenapp.h"

int main(int argc, char** argv) {
    TizgenApplication app(argc, argv);
    return runTizgen(app);
}
