// One clash (Part); a nested class and a forward declaration of a program's name are no clash.
#include "part.h"

class Part : public Base {};

class PartTest {
    class Inner {};
};
struct Declared;
