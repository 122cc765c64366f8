// The least a C++ program costs to start: the yardstick of zandrevio-calc's start.
#include <iostream>

int main()
{
    std::cout << "hello\n";
    return 0;
}
