#include <iostream>

int main() {
    std::cout << "cardwise-cli: the terminal commands are not built yet\n";
    return 0;
}
