// quenk-cli: the headless front end. Runs steps on one document with the program's own code.

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: quenk-cli [options] STEP...\n";
        return 2;
    }
    std::cerr << "quenk-cli: unknown step '" << argv[1] << "'\n";
    return 2;
}
